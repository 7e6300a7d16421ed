#pragma once

// How long a pause lasts: a number of minutes, or until tomorrow. The
// menus offer three of them; the command line any number of minutes up to
// a day. Its end is pauseEnd's (HoldRules.h) either way.
struct PauseLength
{
    int minutes = 0;
    bool untilTomorrow = false;

    static const PauseLength QuarterHour;
    static const PauseLength Hour;
    static const PauseLength UntilTomorrow;

    bool operator==(const PauseLength &) const = default;
};

inline constexpr PauseLength PauseLength::QuarterHour{15, false};
inline constexpr PauseLength PauseLength::Hour{60, false};
inline constexpr PauseLength PauseLength::UntilTomorrow{0, true};
