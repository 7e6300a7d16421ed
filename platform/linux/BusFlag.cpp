#include "platform/linux/BusFlag.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

BusFlag::BusFlag(const QDBusConnection &bus, Source source, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
    , m_source(std::move(source))
{
    m_watcher = new QDBusServiceWatcher(m_source.service, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString &, const QString &, const QString &owner) {
                if (owner.isEmpty())
                    set(false);
                else
                    read();
            });
    m_bus.connect(m_source.service, m_source.path, m_source.interface, m_source.signal, this,
                  SLOT(onSignal(QDBusMessage)));
    // Asked without waiting: a stuck service must not hold up the program.
    QDBusConnectionInterface *names = m_bus.interface();
    if (!names)
        return;
    auto *pending =
        new QDBusPendingCallWatcher(names->asyncCall(QStringLiteral("NameHasOwner"), m_source.service), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *call) {
        call->deleteLater();
        const QDBusPendingReply<bool> reply = *call;
        if (reply.isValid() && reply.value())
            read();
    });
}

void BusFlag::read()
{
    auto *pending = new QDBusPendingCallWatcher(m_bus.asyncCall(m_source.read), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *call) {
        call->deleteLater();
        if (const std::optional<bool> value = m_source.readReply(call->reply()))
            set(*value);
    });
}

void BusFlag::onSignal(const QDBusMessage &message)
{
    if (const std::optional<bool> value = m_source.readSignal(message))
        set(*value);
}

void BusFlag::set(bool value)
{
    if (value == m_value)
        return;
    m_value = value;
    Q_EMIT changed(value);
}

QDBusMessage BusFlag::propertyRead(const QString &service, const QString &path, const QString &interface,
                                   const QString &property)
{
    QDBusMessage get = QDBusMessage::createMethodCall(service, path, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << interface << property;
    return get;
}

std::optional<bool> BusFlag::asBool(QVariant value)
{
    // A variant may arrive wrapped once more.
    if (value.canConvert<QDBusVariant>() && value.userType() == qMetaTypeId<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    if (value.userType() == qMetaTypeId<QDBusArgument>()) {
        QDBusVariant inner;
        value.value<QDBusArgument>() >> inner;
        value = inner.variant();
    }
    if (value.typeId() != QMetaType::Bool)
        return std::nullopt;
    return value.toBool();
}

std::optional<bool> BusFlag::boolReply(const QDBusMessage &reply)
{
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    return asBool(reply.arguments().constFirst());
}

std::optional<bool> BusFlag::changedProperty(const QDBusMessage &signal, const QString &interface,
                                             const QString &property)
{
    const QList<QVariant> args = signal.arguments();
    if (args.size() < 2 || args.at(0).toString() != interface)
        return std::nullopt;
    const QVariantMap changed = qdbus_cast<QVariantMap>(args.at(1));
    const auto it = changed.constFind(property);
    if (it == changed.constEnd())
        return std::nullopt;
    return asBool(*it);
}
