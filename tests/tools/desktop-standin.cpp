// Stand-ins for what a desktop offers, for the end-to-end tests, driven by
// lines on standard input; says "ready" once its names are taken:
//   inhibit 1|0   the notification server's Inhibited property
//   lock 1|0      the screen saver service's active state
//   full 1|0      a window of its own, full screen (and active) or gone
// Names are taken on the session bus of the environment (a private one).
#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QSocketNotifier>
#include <QWidget>

#include <cstdio>
#include <unistd.h>

namespace {

const QString NotificationsPath = QStringLiteral("/org/freedesktop/Notifications");
const QString NotificationsInterface = QStringLiteral("org.freedesktop.Notifications");

class Notifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
    Q_PROPERTY(bool Inhibited READ inhibited)
public:
    bool inhibited() const { return m_inhibited; }
    void setInhibited(bool on)
    {
        m_inhibited = on;
        QDBusMessage changed = QDBusMessage::createSignal(
            NotificationsPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
        changed << NotificationsInterface << QVariantMap{{QStringLiteral("Inhibited"), on}} << QStringList();
        QDBusConnection::sessionBus().send(changed);
    }

public Q_SLOTS:
    QString GetServerInformation(QString &vendor, QString &version, QString &specVersion)
    {
        vendor = QStringLiteral("test");
        version = QStringLiteral("1");
        specVersion = QStringLiteral("1.2");
        return QStringLiteral("desktop-standin");
    }

private:
    bool m_inhibited = false;
};

class ScreenSaver : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    void setActive(bool on)
    {
        m_active = on;
        Q_EMIT ActiveChanged(on);
    }

public Q_SLOTS:
    bool GetActive() const { return m_active; }

Q_SIGNALS:
    void ActiveChanged(bool active);

private:
    bool m_active = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    Notifications notifications;
    ScreenSaver screenSaver;
    const auto everything =
        QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals | QDBusConnection::ExportAllProperties;
    if (!bus.registerObject(NotificationsPath, &notifications, everything)
        || !bus.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), &screenSaver, everything)
        || !bus.registerService(QStringLiteral("org.freedesktop.Notifications"))
        || !bus.registerService(QStringLiteral("org.freedesktop.ScreenSaver"))) {
        std::fputs("desktop-standin: cannot take the names on the session bus\n", stderr);
        return 1;
    }
    QWidget window;
    window.setWindowTitle(QStringLiteral("desktop-standin"));

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray pending;
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[256];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            QCoreApplication::exit(0);
            return;
        }
        pending.append(buffer, n);
        qsizetype end;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QList<QByteArray> words = pending.left(end).trimmed().split(' ');
            pending.remove(0, end + 1);
            const bool on = words.value(1) == "1";
            if (words.value(0) == "inhibit") {
                notifications.setInhibited(on);
            } else if (words.value(0) == "lock") {
                screenSaver.setActive(on);
            } else if (words.value(0) == "full") {
                if (on) {
                    window.showFullScreen();
                    window.activateWindow();
                } else {
                    window.hide();
                }
            }
            std::puts("ok");
            std::fflush(stdout);
        }
    });
    std::puts("ready");
    std::fflush(stdout);
    return app.exec();
}

#include "desktop-standin.moc"
