#pragma once

#include "core/hold/HoldRules.h"

#include <QObject>
#include <QTimer>

class Clock;
class HoldSettings;

// Whether a due card may be shown now: the user's hold settings, what the
// desktop's watchers report, and the wall clock. changed() comes whenever
// any of these moves, and also when a pause or a stretch outside the active
// hours runs out: at that moment a single-shot timer wakes it, re-armed at
// most a minute ahead so that a suspended machine or a wall clock put
// forward is noticed soon. No timer runs while nothing follows the clock.
class HoldGate : public QObject
{
    Q_OBJECT
public:
    // The longest single wait for the wall clock.
    static constexpr qint64 MaxWaitMs = 60 * 1000;

    HoldGate(HoldSettings &settings, Clock &clock, QObject *parent = nullptr);

    HoldSettings &settings() const { return m_settings; }
    const DesktopState &desktop() const { return m_desktop; }

    // The watchers' reports. Idle time only counts as a change when it
    // crosses the away threshold, so reporting it every second is cheap.
    void setFullScreen(bool on);
    void setDoNotDisturb(bool on);
    void setScreenLocked(bool locked);
    void setIdleMs(qint64 ms);
    void setDesktop(const DesktopState &desktop);

    // A card is due and the gate is about to be asked: watchers that are
    // told of no change by their system look now (desktopAsked), before
    // the answer.
    void askDesktop();

    HoldReason reason() const;
    bool held() const { return reason() != HoldReason::None; }
    // Whether a reminder the user set for a time of day waits now: as
    // held(), except that the active hours do not apply to it.
    bool holdsSetTime() const;
    // The pause's end as it counts now (for "paused until 14:30"), or invalid.
    QDateTime pausedUntil() const;
    // When the holds that follow the wall clock end, or invalid.
    QDateTime timeHoldEnd() const;

    // A pause from now, and its end; kept in the settings file so that it
    // outlasts a restart. False when the file could not be written (the
    // pause still holds for this run).
    bool pause(PauseLength length);
    bool pauseUntil(const QDateTime &end);
    bool resume();

Q_SIGNALS:
    void changed();
    void desktopAsked();

private:
    void update();
    void wake();
    void arm();

    HoldSettings &m_settings;
    Clock &m_clock;
    DesktopState m_desktop;
    QTimer m_wake;
    QDateTime m_timeHoldEnd;
};
