#pragma once

#include <QObject>
#include <functional>

class AnyFlag;

// The desktop's own switches, followed on D-Bus. Each reports at once and
// then on every change, for as long as owner lives.

// Do not disturb: the notification server's Inhibited property (Plasma and
// other servers that follow the freedesktop notification interface),
// GNOME's "show banners" setting (through the desktop portal), and Xfce's
// notification daemon's do-not-disturb setting. On when any of them is on.
void watchDoNotDisturbSwitches(QObject &owner, std::function<void(bool)> report);

// The screen lock's switches on D-Bus, as sources of any: the session's
// screen saver service (freedesktop's, and GNOME's own) and logind's
// LockedHint for this program's session.
void addScreenLockSwitches(AnyFlag &any);

// logind's object path for a session id ("2" → ".../session/_32").
QString logindSessionPath(const QString &sessionId);
