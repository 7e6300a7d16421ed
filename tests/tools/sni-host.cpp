// A notification-area host on a private session bus, as a desktop panel
// that draws the tray itself has one, for the end-to-end tests:
//   sni-host watch                 takes the watcher's name, says "ready",
//                                  then "item SERVICE" for each item that
//                                  registers; runs until ended
//   sni-host menu SERVICE          the item's published menu: "direction
//                                  ltr|rtl", then "item LABEL" or
//                                  "separator" per entry, in order
//   sni-host click SERVICE LABEL   clicks the entry with that label
// Every call gives up after five seconds; failures end with status 1.
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDateTime>
#include <QStringList>
#include <QTextStream>

#include <cstdio>
#include <optional>

namespace {

constexpr int CallMs = 5000;
const QString WatcherName = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString ItemInterface = QStringLiteral("org.kde.StatusNotifierItem");
const QString MenuInterface = QStringLiteral("com.canonical.dbusmenu");

void say(const QString &line)
{
    std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
    std::fflush(stdout);
}

int failWith(const QString &why)
{
    std::fputs((why + QLatin1Char('\n')).toUtf8().constData(), stderr);
    return 1;
}

// The watcher's side of the protocol: a host is always there, and items
// are written down as they come.
class Watcher : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
public:
    QStringList items() const { return m_items; }
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString &service)
    {
        // An item may name itself by its object path alone, on its sender.
        const QString name = service.startsWith(QLatin1Char('/')) ? message().service() : service;
        m_items.append(name);
        say(QStringLiteral("item ") + name);
        Q_EMIT StatusNotifierItemRegistered(name);
    }
    void RegisterStatusNotifierHost(const QString &) { }

Q_SIGNALS:
    void StatusNotifierItemRegistered(const QString &service);
    void StatusNotifierItemUnregistered(const QString &service);
    void StatusNotifierHostRegistered();

private:
    QStringList m_items;
};

std::optional<QVariant> property(const QString &service, const QString &path, const QString &interface,
                                 const QString &name)
{
    QDBusMessage get = QDBusMessage::createMethodCall(service, path, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << interface << name;
    const QDBusMessage reply = QDBusConnection::sessionBus().call(get, QDBus::Block, CallMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    return qvariant_cast<QDBusVariant>(reply.arguments().constFirst()).variant();
}

struct Entry
{
    int id = 0;
    QString type;
    QString label;
};

// One level of a layout: (id, properties, children as variants).
QList<Entry> children(const QDBusArgument &layout)
{
    QList<Entry> entries;
    int id = 0;
    QVariantMap properties;
    layout.beginStructure();
    layout >> id >> properties;
    layout.beginArray();
    while (!layout.atEnd()) {
        QDBusVariant child;
        layout >> child;
        const auto childArgument = qvariant_cast<QDBusArgument>(child.variant());
        Entry entry;
        QVariantMap childProperties;
        childArgument.beginStructure();
        childArgument >> entry.id >> childProperties;
        childArgument.endStructure();
        entry.type = childProperties.value(QStringLiteral("type")).toString();
        entry.label = childProperties.value(QStringLiteral("label")).toString();
        if (childProperties.value(QStringLiteral("visible"), true).toBool())
            entries.append(entry);
    }
    layout.endArray();
    layout.endStructure();
    return entries;
}

struct Menu
{
    QString path;
    QString direction;
    QList<Entry> entries;
};

std::optional<Menu> readMenu(const QString &service, QString &why)
{
    const std::optional<QVariant> path =
        property(service, QStringLiteral("/StatusNotifierItem"), ItemInterface, QStringLiteral("Menu"));
    if (!path) {
        why = QStringLiteral("the item has no Menu property");
        return std::nullopt;
    }
    Menu menu;
    menu.path = qvariant_cast<QDBusObjectPath>(*path).path();
    if (menu.path.isEmpty())
        menu.path = path->toString();
    const std::optional<QVariant> direction =
        property(service, menu.path, MenuInterface, QStringLiteral("TextDirection"));
    menu.direction = direction ? direction->toString() : QString();
    QDBusMessage get = QDBusMessage::createMethodCall(service, menu.path, MenuInterface, QStringLiteral("GetLayout"));
    get << 0 << -1 << QStringList();
    const QDBusMessage reply = QDBusConnection::sessionBus().call(get, QDBus::Block, CallMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() < 2) {
        why = QStringLiteral("no layout at ") + menu.path + QStringLiteral(": ") + reply.errorMessage();
        return std::nullopt;
    }
    menu.entries = children(qvariant_cast<QDBusArgument>(reply.arguments().at(1)));
    return menu;
}

int watch(QCoreApplication &app)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    Watcher watcher;
    if (!bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties
                                | QDBusConnection::ExportAllSignals))
        return failWith(QStringLiteral("cannot export the watcher"));
    if (!bus.registerService(WatcherName))
        return failWith(QStringLiteral("cannot take the watcher's name: ") + bus.lastError().message());
    say(QStringLiteral("ready"));
    return app.exec();
}

int showMenu(const QString &service)
{
    QString why;
    const std::optional<Menu> menu = readMenu(service, why);
    if (!menu)
        return failWith(why);
    say(QStringLiteral("direction ") + menu->direction);
    for (const Entry &e : menu->entries)
        say(e.type == QLatin1String("separator") ? QStringLiteral("separator") : QStringLiteral("item ") + e.label);
    return 0;
}

int click(const QString &service, const QString &label)
{
    QString why;
    const std::optional<Menu> menu = readMenu(service, why);
    if (!menu)
        return failWith(why);
    for (const Entry &e : menu->entries) {
        if (e.type == QLatin1String("separator") || e.label != label)
            continue;
        QDBusMessage event =
            QDBusMessage::createMethodCall(service, menu->path, MenuInterface, QStringLiteral("Event"));
        event << e.id << QStringLiteral("clicked") << QVariant::fromValue(QDBusVariant(0))
              << uint(QDateTime::currentSecsSinceEpoch());
        const QDBusMessage reply = QDBusConnection::sessionBus().call(event, QDBus::Block, CallMs);
        // The item may end on this very click, before it answers.
        if (reply.type() == QDBusMessage::ErrorMessage
            && reply.errorName() != QLatin1String("org.freedesktop.DBus.Error.NoReply"))
            return failWith(QStringLiteral("click refused: ") + reply.errorMessage());
        return 0;
    }
    return failWith(QStringLiteral("no entry ") + label);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (!QDBusConnection::sessionBus().isConnected())
        return failWith(QStringLiteral("no session bus"));
    if (args.value(0) == QLatin1String("watch") && args.size() == 1)
        return watch(app);
    if (args.value(0) == QLatin1String("menu") && args.size() == 2)
        return showMenu(args.at(1));
    if (args.value(0) == QLatin1String("click") && args.size() == 3)
        return click(args.at(1), args.at(2));
    return failWith(QStringLiteral("usage: sni-host watch | menu SERVICE | click SERVICE LABEL"));
}

#include "sni-host.moc"
