#pragma once

#include <QByteArray>

// Which windowing system the program asks Qt for. The card must sit in a
// corner of the screen and stay above other windows; a Wayland client can do
// neither, so a Wayland session that also offers X11 is used through X11.
struct DisplayChoice
{
    // Run through X11 (the xcb platform) although the session is Wayland.
    bool useX11 = false;
    // Wayland without X11: say once that the corner and the stacking are
    // left to the compositor.
    bool warnWayland = false;
    // Wayland is the only way to the screen (or the user's own choice) and
    // its platform plugin is not installed: the toolkit would abort with a
    // core dump, so the program says what is missing and ends instead.
    bool waylandMissing = false;
    // Nothing names a display to reach (no DISPLAY, no WAYLAND_DISPLAY, or
    // X11 chosen without DISPLAY): the toolkit would abort with a core
    // dump, so the program says so and ends instead.
    bool noDisplay = false;
};

// From the session's environment: XDG_SESSION_TYPE, WAYLAND_DISPLAY, DISPLAY
// and QT_QPA_PLATFORM (the user's own choice, always kept), and whether the
// toolkit's Wayland platform plugin is installed.
DisplayChoice chooseDisplay(const QByteArray &sessionType, const QByteArray &waylandDisplay,
                            const QByteArray &x11Display, const QByteArray &userPlatform, bool waylandPluginInstalled);

inline constexpr char WaylandNotice[] = "murel: running on Wayland without X11; where the reminder appears and whether "
                                        "it stays on top is up to the compositor.\n";

inline constexpr char NoDisplayLine[] =
    "murel: no display to show on (neither DISPLAY nor WAYLAND_DISPLAY is set); start it from a desktop session\n";

inline constexpr char WaylandPluginMissing[] =
    "murel: the Wayland platform plugin (Debian package qt6-wayland) is not installed\n";

// The status the program ends with when it cannot reach any display.
inline constexpr int NoDisplayStatus = 1;
