#pragma once

#include "core/hold/HoldSettings.h"
#include "core/hold/PauseLength.h"

#include <QDateTime>

// What the desktop reports at the moment: its watchers fill this in.
struct DesktopState
{
    bool fullScreen = false;   // the active window on the card's screen is full screen
    bool doNotDisturb = false; // the desktop's own do-not-disturb switch is on
    bool screenLocked = false;
    qint64 idleMs = 0; // time since the last input

    bool operator==(const DesktopState &) const = default;
};

// Why a due card waits; None: it is shown. When several hold at once the
// first of this list is the one named.
enum class HoldReason {
    None,
    ScreenLocked,
    Paused,
    OutsideActiveHours,
    DoNotDisturb,
    FullScreen,
    Away
};

// A pause ends further ahead than this only when the wall clock was put
// back (the longest pause, until tomorrow, is under a day): such a pause is
// none, or a clock set back by years would hold every card for years.
inline constexpr qint64 MaxPauseAheadSecs = 2 * 24 * 3600;

// The pause's end as it counts at now: invalid when there is no pause, it
// has ended, or it lies implausibly far ahead.
QDateTime effectivePauseEnd(const QDateTime &pausedUntil, const QDateTime &now);

// Where a pause of length that starts at now ends, for the menus and the
// command line alike. Until tomorrow ends at the next local midnight: the
// start of the next day, the plainest reading of "tomorrow", and never more
// than a day away.
QDateTime pauseEnd(const PauseLength &length, const QDateTime &now);

// Whether now lies inside the active hours. Each chosen day opens a window
// at hoursStart that lasts until the next hoursEnd, so a window from 22:00
// to 06:00 chosen for Friday runs from Friday 22:00 to Saturday 06:00 (and
// Saturday's early hours count only through Friday). Equal start and end
// make a whole day.
bool insideActiveHours(const HoldSettings::Values &settings, const QDateTime &now);

// The reason a card due at now waits, if any.
HoldReason holdReason(const HoldSettings::Values &settings, const DesktopState &desktop, const QDateTime &now);

// The next moment after now at which the holds that follow the wall clock
// (the pause, the active hours) are all over: a card held by them alone is
// shown then. Invalid when they hold nothing at now, or when they never end
// (active hours with no day chosen).
QDateTime timeHoldEnd(const HoldSettings::Values &settings, const QDateTime &now);

// What the lamp's and the tray icon's tooltips say during a pause ending
// at end: "متوقف مؤقتاً حتى 14:30", with "الغد" before the time when it
// ends on a later day, and only "حتى الغد" for a pause until midnight.
QString pauseNotice(const QDateTime &end, const QDateTime &now);
