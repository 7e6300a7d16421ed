#include "core/cycle/PeriodicTimer.h"

#include "core/cycle/Clock.h"

#include <limits>

namespace {
// Qt counts a very coarse wait in whole seconds, rounded: anything shorter
// than half a second would round to no wait at all.
constexpr qint64 kShortestVeryCoarseMs = 500;
constexpr qint64 kMostSlackMs = 500;
} // namespace

PeriodicTimer::PeriodicTimer(Clock &clock, qint64 intervalMs, Precision precision, QObject *parent)
    : QObject(parent)
    , m_clock(clock)
    , m_intervalMs(qMax<qint64>(1, intervalMs))
    , m_precision(precision)
{
    m_wake.setSingleShot(true);
    connect(&m_wake, &QTimer::timeout, this, &PeriodicTimer::check);
    connect(&m_clock, &Clock::jumped, this, &PeriodicTimer::check);
}

qint64 PeriodicTimer::slackMs() const
{
    return m_precision == Precision::Coarse ? qMin(kMostSlackMs, m_intervalMs / 2) : 0;
}

void PeriodicTimer::start()
{
    m_active = true;
    m_deadline = m_clock.nowMs() + m_intervalMs;
    schedule();
}

void PeriodicTimer::stop()
{
    m_active = false;
    m_wake.stop();
}

void PeriodicTimer::runWhile(bool on)
{
    if (!on)
        stop();
    else if (!m_active)
        start();
}

qint64 PeriodicTimer::remainingMs() const
{
    if (!m_active)
        return -1;
    return qMax<qint64>(0, m_deadline - slackMs() - m_clock.nowMs());
}

void PeriodicTimer::schedule()
{
    const qint64 wait = qBound<qint64>(0, m_deadline - m_clock.nowMs(), qint64(std::numeric_limits<int>::max()));
    if (m_precision == Precision::Precise)
        m_wake.setTimerType(Qt::PreciseTimer);
    else
        m_wake.setTimerType(wait >= kShortestVeryCoarseMs ? Qt::VeryCoarseTimer : Qt::CoarseTimer);
    m_wake.start(int(wait));
}

void PeriodicTimer::check()
{
    if (!m_active)
        return;
    const qint64 now = m_clock.nowMs();
    if (now < m_deadline - slackMs()) {
        schedule();
        return;
    }
    m_deadline += m_intervalMs;
    if (m_deadline - slackMs() <= now)
        m_deadline = now + m_intervalMs;
    schedule();
    Q_EMIT timeout();
}
