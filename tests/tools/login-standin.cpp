// A stand-in for logind on the tests' own system bus, with one session:
//   login-standin ID PATH
// PATH is where the session's object lives, so that a test states the
// path it expects for ID. The manager answers GetSession for ID and for
// "auto" (the caller's session) with PATH. Driven by lines on standard
// input, each answered with "ok"; says "ready" once the name is taken:
//   locked 1|0    the session's LockedHint, told by PropertiesChanged
//   sleep 1|0     the manager's PrepareForSleep: going to sleep, woken
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QSocketNotifier>

#include <cstdio>
#include <unistd.h>

namespace {

const QString SessionInterface = QStringLiteral("org.freedesktop.login1.Session");

class Session : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Session")
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(bool LockedHint READ lockedHint)
public:
    Session(QString id, QString path)
        : m_id(std::move(id))
        , m_path(std::move(path))
    {
    }

    QString id() const { return m_id; }
    QString path() const { return m_path; }
    bool lockedHint() const { return m_locked; }

    void setLocked(bool on)
    {
        m_locked = on;
        QDBusMessage changed = QDBusMessage::createSignal(m_path, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                          QStringLiteral("PropertiesChanged"));
        changed << SessionInterface << QVariantMap{{QStringLiteral("LockedHint"), on}} << QStringList();
        QDBusConnection::systemBus().send(changed);
    }

private:
    QString m_id;
    QString m_path;
    bool m_locked = false;
};

class Manager : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    explicit Manager(const Session &session)
        : m_session(session)
    {
    }

public Q_SLOTS:
    QDBusObjectPath GetSession(const QString &id)
    {
        if (id == m_session.id() || id == QLatin1String("auto"))
            return QDBusObjectPath(m_session.path());
        sendErrorReply(QStringLiteral("org.freedesktop.login1.NoSuchSession"), QStringLiteral("No such session"));
        return {};
    }

public:
    // Not a slot: only the test's lines send it.
    void prepareForSleep(bool start)
    {
        QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/login1"),
                                                         QStringLiteral("org.freedesktop.login1.Manager"),
                                                         QStringLiteral("PrepareForSleep"));
        signal << start;
        QDBusConnection::systemBus().send(signal);
    }

private:
    const Session &m_session;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fputs("usage: login-standin ID PATH\n", stderr);
        return 2;
    }
    Session session(args.at(1), args.at(2));
    Manager manager(session);
    QDBusConnection bus = QDBusConnection::systemBus();
    const auto everything = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties;
    if (!bus.registerObject(session.path(), &session, everything)
        || !bus.registerObject(QStringLiteral("/org/freedesktop/login1"), &manager, everything)
        || !bus.registerService(QStringLiteral("org.freedesktop.login1"))) {
        std::fputs("login-standin: cannot take the name on the system bus\n", stderr);
        return 1;
    }

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
            if (words.value(0) == "locked")
                session.setLocked(words.value(1) == "1");
            else if (words.value(0) == "sleep")
                manager.prepareForSleep(words.value(1) == "1");
            std::puts("ok");
            std::fflush(stdout);
        }
    });
    std::puts("ready");
    std::fflush(stdout);
    return app.exec();
}

#include "login-standin.moc"
