#include "core/cycle/ExtraTimer.h"

#include "core/cycle/Clock.h"

#include <limits>

namespace {
// Long waits are split so a single QTimer interval never overflows.
constexpr qint64 kMaxWaitMs = 60LL * 60 * 1000;
constexpr qint64 kMaxCount = std::numeric_limits<qint64>::max() / (3600LL * 1000 * 2);
} // namespace

ExtraTimer::ExtraTimer(Clock &clock, QObject *parent)
    : QObject(parent)
    , m_clock(clock)
{
    m_wake.setSingleShot(true);
    m_wake.setTimerType(Qt::PreciseTimer);
    connect(&m_wake, &QTimer::timeout, this, &ExtraTimer::check);
    connect(&m_clock, &Clock::jumped, this, &ExtraTimer::check);
}

qint64 ExtraTimer::periodMs() const
{
    return m_interval * unitMs(m_unit);
}

void ExtraTimer::setEnabled(bool enabled)
{
    m_enabled = enabled;
    restart();
}

void ExtraTimer::setTimeUnit(TimeUnit unit)
{
    m_unit = unit;
    if (m_enabled)
        restart();
}

void ExtraTimer::setInterval(qint64 count)
{
    m_interval = qBound<qint64>(0, count, kMaxCount);
    if (m_enabled)
        restart();
}

qint64 ExtraTimer::remainingMs() const
{
    if (!m_enabled || periodMs() <= 0)
        return -1;
    return qMax<qint64>(0, m_deadline - m_clock.nowMs());
}

void ExtraTimer::restart()
{
    if (!m_enabled || periodMs() <= 0) {
        m_wake.stop();
        return;
    }
    m_deadline = m_clock.nowMs() + periodMs();
    schedule();
}

void ExtraTimer::schedule()
{
    const qint64 wait = qBound<qint64>(0, m_deadline - m_clock.nowMs(), kMaxWaitMs);
    m_wake.start(int(wait));
}

void ExtraTimer::check()
{
    if (!m_enabled || periodMs() <= 0)
        return;
    const qint64 now = m_clock.nowMs();
    if (now < m_deadline) {
        schedule();
        return;
    }
    // Counted periods follow one another; after a long stall the missed
    // ones are not made up, the next one starts now.
    m_deadline += periodMs();
    if (m_deadline <= now)
        m_deadline = now + periodMs();
    schedule();
    Q_EMIT elapsed();
}
