#include "platform/linux/DesktopSwitches.h"

#include "platform/linux/AnyFlag.h"
#include "platform/linux/BusFlag.h"

#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

// A service's flag as one of any's sources. A bus that is not there adds
// nothing.
void addBusFlag(AnyFlag &any, const QDBusConnection &bus, BusFlag::Source source)
{
    if (!bus.isConnected())
        return;
    auto *flag = new BusFlag(bus, std::move(source), &any);
    QObject::connect(flag, &BusFlag::changed, &any, any.input());
}

const QString Properties = QStringLiteral("org.freedesktop.DBus.Properties");

// A service whose method returns the flag and whose signal carries it as
// its first argument.
BusFlag::Source methodAndSignal(const QString &service, const QString &path, const QString &interface,
                                const QString &method, const QString &signal)
{
    BusFlag::Source s;
    s.service = service;
    s.read = QDBusMessage::createMethodCall(service, path, interface, method);
    s.readReply = &BusFlag::boolReply;
    s.path = path;
    s.interface = interface;
    s.signal = signal;
    s.readSignal = [](const QDBusMessage &m) -> std::optional<bool> {
        if (m.arguments().isEmpty() || m.arguments().constFirst().typeId() != QMetaType::Bool)
            return std::nullopt;
        return m.arguments().constFirst().toBool();
    };
    return s;
}

BusFlag::Source property(const QString &service, const QString &path, const QString &interface, const QString &name)
{
    BusFlag::Source s;
    s.service = service;
    s.read = BusFlag::propertyRead(service, path, interface, name);
    s.readReply = &BusFlag::boolReply;
    s.path = path;
    s.interface = Properties;
    s.signal = QStringLiteral("PropertiesChanged");
    s.readSignal = [interface, name](const QDBusMessage &m) { return BusFlag::changedProperty(m, interface, name); };
    return s;
}

const QString Login1 = QStringLiteral("org.freedesktop.login1");

// logind's LockedHint of the session at path. Its change signal comes from
// the session's own path, never from an alias such as ".../session/auto".
BusFlag::Source lockedHint(const QString &path)
{
    return property(Login1, path, QStringLiteral("org.freedesktop.login1.Session"), QStringLiteral("LockedHint"));
}

// This program's logind session: the one the session names in the
// environment, else the one logind picks for the caller, which is its own
// or, for a program started outside any session (a user service), the
// user's graphical one. Asked without waiting, and without starting logind.
void addLockedHint(AnyFlag &any)
{
    const QDBusConnection system = QDBusConnection::systemBus();
    if (!system.isConnected())
        return;
    const QString sessionId = qEnvironmentVariable("XDG_SESSION_ID");
    if (!sessionId.isEmpty()) {
        addBusFlag(any, system, lockedHint(logindSessionPath(sessionId)));
        return;
    }
    QDBusMessage ask =
        QDBusMessage::createMethodCall(Login1, QStringLiteral("/org/freedesktop/login1"),
                                       QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("GetSession"));
    ask << QStringLiteral("auto");
    ask.setAutoStartService(false);
    auto *pending = new QDBusPendingCallWatcher(system.asyncCall(ask), &any);
    QObject::connect(pending, &QDBusPendingCallWatcher::finished, &any, [&any, system](QDBusPendingCallWatcher *call) {
        call->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *call;
        if (reply.isValid() && !reply.value().path().isEmpty())
            addBusFlag(any, system, lockedHint(reply.value().path()));
    });
}

std::optional<bool> negated(std::optional<bool> value)
{
    if (value)
        return !*value;
    return value;
}

// A setting read by a method with two names and changed by a signal that
// names it: (name space, key, value).
BusFlag::Source namedSetting(const QString &service, const QString &path, const QString &interface,
                             const QString &readMethod, const QString &signal, const QString &space, const QString &key,
                             bool onWhenFalse)
{
    BusFlag::Source s;
    s.service = service;
    s.read = QDBusMessage::createMethodCall(service, path, interface, readMethod);
    s.read << space << key;
    s.readReply = [onWhenFalse](const QDBusMessage &m) {
        const std::optional<bool> v = BusFlag::boolReply(m);
        return onWhenFalse ? negated(v) : v;
    };
    s.path = path;
    s.interface = interface;
    s.signal = signal;
    s.readSignal = [space, key, onWhenFalse](const QDBusMessage &m) -> std::optional<bool> {
        const QList<QVariant> args = m.arguments();
        if (args.size() < 3 || args.at(0).toString() != space || args.at(1).toString() != key)
            return std::nullopt;
        const std::optional<bool> v = BusFlag::asBool(args.at(2));
        return onWhenFalse ? negated(v) : v;
    };
    return s;
}

} // namespace

void watchDoNotDisturbSwitches(QObject &owner, std::function<void(bool)> report)
{
    auto *any = new AnyFlag(owner, std::move(report));
    const QDBusConnection session = QDBusConnection::sessionBus();
    addBusFlag(*any, session,
               property(QStringLiteral("org.freedesktop.Notifications"),
                        QStringLiteral("/org/freedesktop/Notifications"),
                        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Inhibited")));
    // GNOME keeps it as "show banners" (off: do not disturb).
    addBusFlag(*any, session,
               namedSetting(QStringLiteral("org.freedesktop.portal.Desktop"),
                            QStringLiteral("/org/freedesktop/portal/desktop"),
                            QStringLiteral("org.freedesktop.portal.Settings"), QStringLiteral("Read"),
                            QStringLiteral("SettingChanged"), QStringLiteral("org.gnome.desktop.notifications"),
                            QStringLiteral("show-banners"), true));
    addBusFlag(*any, session,
               namedSetting(QStringLiteral("org.xfce.Xfconf"), QStringLiteral("/org/xfce/Xfconf"),
                            QStringLiteral("org.xfce.Xfconf"), QStringLiteral("GetProperty"),
                            QStringLiteral("PropertyChanged"), QStringLiteral("xfce4-notifyd"),
                            QStringLiteral("/do-not-disturb"), false));
    any->start();
}

void addScreenLockSwitches(AnyFlag &any)
{
    const QDBusConnection session = QDBusConnection::sessionBus();
    addBusFlag(any, session,
               methodAndSignal(QStringLiteral("org.freedesktop.ScreenSaver"),
                               QStringLiteral("/org/freedesktop/ScreenSaver"),
                               QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("GetActive"),
                               QStringLiteral("ActiveChanged")));
    addBusFlag(any, session,
               methodAndSignal(QStringLiteral("org.gnome.ScreenSaver"), QStringLiteral("/org/gnome/ScreenSaver"),
                               QStringLiteral("org.gnome.ScreenSaver"), QStringLiteral("GetActive"),
                               QStringLiteral("ActiveChanged")));
    addLockedHint(any);
}

QString logindSessionPath(const QString &sessionId)
{
    // logind escapes every byte but letters and digits (and a leading
    // digit) as "_xx".
    QString path = QStringLiteral("/org/freedesktop/login1/session/");
    const QByteArray id = sessionId.toUtf8();
    for (qsizetype i = 0; i < id.size(); ++i) {
        const char c = id.at(i);
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        const bool digit = c >= '0' && c <= '9';
        if (letter || (digit && i > 0))
            path += QLatin1Char(c);
        else
            path += QStringLiteral("_%1").arg(uchar(c), 2, 16, QLatin1Char('0'));
    }
    return path;
}
