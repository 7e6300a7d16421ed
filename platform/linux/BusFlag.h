#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <functional>
#include <optional>

class QDBusServiceWatcher;

// One yes-or-no setting that a desktop service keeps on D-Bus (a
// do-not-disturb switch, a screen lock): read when the service is there,
// then followed by the change signal it sends. A service that is not
// running is not started for it (most of these are started on demand) and
// counts as "no" until it appears.
class BusFlag final : public QObject
{
    Q_OBJECT
public:
    struct Source
    {
        QString service;
        // The call that reads the value, and how to read its reply.
        QDBusMessage read;
        std::function<std::optional<bool>(const QDBusMessage &)> readReply;
        // The signal that tells of a change, and how to read it (nothing:
        // the signal is about something else).
        QString path;
        QString interface;
        QString signal;
        std::function<std::optional<bool>(const QDBusMessage &)> readSignal;
    };

    BusFlag(const QDBusConnection &bus, Source source, QObject *parent);

    bool value() const { return m_value; }

    // For sources that keep the value as a property: the Get call and
    // its reply.
    static QDBusMessage propertyRead(const QString &service, const QString &path, const QString &interface,
                                     const QString &property);
    static std::optional<bool> boolReply(const QDBusMessage &reply);
    // A boolean, also inside one or two variants.
    static std::optional<bool> asBool(QVariant value);
    // A PropertiesChanged signal's new value of property on interface.
    static std::optional<bool> changedProperty(const QDBusMessage &signal, const QString &interface,
                                               const QString &property);

Q_SIGNALS:
    void changed(bool value);

private Q_SLOTS:
    void onSignal(const QDBusMessage &message);

private:
    void read();
    void set(bool value);

    QDBusConnection m_bus;
    Source m_source;
    QDBusServiceWatcher *m_watcher;
    bool m_value = false;
};
