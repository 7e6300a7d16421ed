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
};

// From the session's environment: XDG_SESSION_TYPE, WAYLAND_DISPLAY, DISPLAY
// and QT_QPA_PLATFORM (the user's own choice, always kept).
DisplayChoice chooseDisplay(const QByteArray &sessionType, const QByteArray &waylandDisplay,
                            const QByteArray &x11Display, const QByteArray &userPlatform);

inline constexpr char WaylandNotice[] =
    "murel: running on Wayland without X11; where the reminder appears and whether it stays on top is up to the compositor.\n";
