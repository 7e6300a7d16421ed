#pragma once

#include <QList>
#include <QRect>

// What the window manager says about the active window, in the server's
// pixels.
struct ActiveWindowFacts
{
    bool fullScreenState = false; // _NET_WM_STATE holds _NET_WM_STATE_FULLSCREEN
    bool framed = false;          // the window manager draws a frame around it
    bool desktopOrDock = false;   // the desktop's own background or a panel
    QRect geometry;               // the client area, on the root window
};

// The monitor the active window fills when it is full screen, by its state
// or as an unframed window covering a whole monitor (what games and some
// players do instead of asking); an empty rectangle when it is not.
// monitors: every monitor's rectangle, in the same pixels.
QRect fullScreenArea(const ActiveWindowFacts &window, const QList<QRect> &monitors);
