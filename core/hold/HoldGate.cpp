#include "core/hold/HoldGate.h"

#include "core/cycle/Clock.h"
#include "core/hold/HoldSettings.h"

HoldGate::HoldGate(HoldSettings &settings, Clock &clock, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_clock(clock)
{
    m_wake.setSingleShot(true);
    m_wake.setTimerType(Qt::PreciseTimer);
    connect(&m_wake, &QTimer::timeout, this, &HoldGate::wake);
    connect(&m_clock, &Clock::jumped, this, &HoldGate::wake);
    connect(&m_settings, &HoldSettings::changed, this, &HoldGate::update);
    update();
}

void HoldGate::setFullScreen(bool on)
{
    DesktopState d = m_desktop;
    d.fullScreen = on;
    setDesktop(d);
}

void HoldGate::setDoNotDisturb(bool on)
{
    DesktopState d = m_desktop;
    d.doNotDisturb = on;
    setDesktop(d);
}

void HoldGate::setScreenLocked(bool locked)
{
    DesktopState d = m_desktop;
    d.screenLocked = locked;
    setDesktop(d);
}

void HoldGate::setIdleMs(qint64 ms)
{
    DesktopState d = m_desktop;
    d.idleMs = ms;
    setDesktop(d);
}

void HoldGate::setDesktop(const DesktopState &desktop)
{
    if (desktop == m_desktop)
        return;
    const qint64 threshold = qint64(m_settings.values().awayMinutes) * 60 * 1000;
    const bool crossed = (desktop.idleMs >= threshold) != (m_desktop.idleMs >= threshold);
    const bool flags = desktop.fullScreen != m_desktop.fullScreen || desktop.doNotDisturb != m_desktop.doNotDisturb
        || desktop.screenLocked != m_desktop.screenLocked;
    m_desktop = desktop;
    if (flags || crossed)
        Q_EMIT changed();
}

HoldReason HoldGate::reason() const
{
    return holdReason(m_settings.values(), m_desktop, m_clock.localNow());
}

bool HoldGate::holdsSetTime() const
{
    HoldSettings::Values values = m_settings.values();
    values.activeHours = false;
    return holdReason(values, m_desktop, m_clock.localNow()) != HoldReason::None;
}

QDateTime HoldGate::pausedUntil() const
{
    return effectivePauseEnd(m_settings.values().pausedUntil, m_clock.localNow());
}

QDateTime HoldGate::timeHoldEnd() const
{
    return ::timeHoldEnd(m_settings.values(), m_clock.localNow());
}

bool HoldGate::pause(PauseLength length)
{
    return pauseUntil(pauseEnd(length, m_clock.localNow()));
}

bool HoldGate::pauseUntil(const QDateTime &end)
{
    m_settings.setPausedUntil(end);
    return m_settings.save();
}

bool HoldGate::resume()
{
    return pauseUntil(QDateTime());
}

// The settings moved: say so, and wait for the wall clock as they now ask.
void HoldGate::update()
{
    m_timeHoldEnd = timeHoldEnd();
    if (m_timeHoldEnd.isValid())
        arm();
    else
        m_wake.stop();
    Q_EMIT changed();
}

void HoldGate::wake()
{
    if (!m_timeHoldEnd.isValid())
        return;
    // The clock was set back past the hold's start, or forward past its
    // end, or the wait was cut to a minute: look again from now.
    const QDateTime end = timeHoldEnd();
    if (end == m_timeHoldEnd)
        arm();
    else
        update();
}

void HoldGate::arm()
{
    const qint64 wait = m_clock.localNow().msecsTo(m_timeHoldEnd);
    m_wake.start(int(qBound<qint64>(0, wait, MaxWaitMs)));
}

void HoldGate::askDesktop()
{
    Q_EMIT desktopAsked();
}
