#pragma once

#include <QObject>
#include <functional>

// Whether an X screen saver that keeps no D-Bus service (xscreensaver) has
// blanked or locked the screen, as it writes on the root window: the
// _SCREENSAVER_STATUS property, 32-bit integers of which the first is the
// atom BLANK or LOCK, or 0 while the screen shows. Reports at once and then
// on every change of the property, for as long as owner lives; without X11
// nothing is reported. Nothing is polled: without such a screen saver the
// property never changes and this costs nothing.
void watchScreenSaverStatus(QObject &owner, std::function<void(bool)> report);
