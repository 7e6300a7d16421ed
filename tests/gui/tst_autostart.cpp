#include "core/system/AutostartEntry.h"
#include "platform/LogonCommand.h"
#include "platform/Platform.h"
#include "reminder/RunAtLogon.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestAutostart : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void quoting_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("quoted");
        QTest::newRow("plain") << "/usr/local/bin/murel"
                               << "/usr/local/bin/murel";
        QTest::newRow("blank") << "/opt/my apps/murel"
                               << "\"/opt/my apps/murel\"";
        QTest::newRow("dollar") << "/opt/$x/murel"
                                << "\"/opt/\\$x/murel\"";
        QTest::newRow("quote") << "/opt/a\"b/murel"
                               << "\"/opt/a\\\"b/murel\"";
        QTest::newRow("percent") << "/opt/100%/murel"
                                 << "/opt/100%%/murel";
    }
    void quoting()
    {
        QFETCH(QString, path);
        QFETCH(QString, quoted);
        QCOMPARE(AutostartEntry::quoteArgument(path), quoted);
    }

    void exactContent_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("exec");
        QTest::newRow("plain path") << "/home/user/murel/murel"
                                    << QByteArray("TryExec=/home/user/murel/murel\nExec=/home/user/murel/murel\n");
        QTest::newRow("path with blanks")
            << "/home/user/my programs/murel"
            << QByteArray("TryExec=/home/user/my programs/murel\nExec=\"/home/user/my programs/murel\"\n");
        // A backslash is escaped for the quotes, then again for the file.
        QTest::newRow("percent: doubled in Exec only")
            << "/opt/100%/murel" << QByteArray("TryExec=/opt/100%/murel\nExec=/opt/100%%/murel\n");
        QTest::newRow("backslash") << "/opt/a\\b/murel"
                                   << QByteArray("TryExec=/opt/a\\\\b/murel\nExec=\"/opt/a\\\\\\\\b/murel\"\n");
    }
    void exactContent()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, exec);
        QCOMPARE(AutostartEntry::content(command),
                 QByteArray("[Desktop Entry]\nType=Application\nName=Murel\nIcon=org.murel.Murel\n") + exec
                     + QByteArray("X-GNOME-Autostart-enabled=true\n"));
    }

    void registerTwiceUnregisterTwice()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("autostart"));
        const QString file = folder + QStringLiteral("/murel.desktop");
        QVERIFY(AutostartEntry::write(folder, QStringLiteral("murel"), QStringLiteral("/a b/murel")));
        QVERIFY(AutostartEntry::write(folder, QStringLiteral("murel"), QStringLiteral("/a b/murel")));
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("murel.desktop")});
        QCOMPARE(readAll(file), AutostartEntry::content(QStringLiteral("/a b/murel")));
        AutostartEntry::remove(folder, QStringLiteral("murel"));
        QVERIFY(!QFile::exists(file));
        AutostartEntry::remove(folder, QStringLiteral("murel"));
        QVERIFY(!QFile::exists(file));
    }

    void unwritableFolderIsSilent()
    {
        QTemporaryDir dir;
        const QString blocker = dir.filePath(QStringLiteral("file"));
        QFile f(blocker);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(!AutostartEntry::write(blocker + QStringLiteral("/autostart"), QStringLiteral("murel"),
                                       QStringLiteral("/x")));
        AutostartEntry::remove(blocker + QStringLiteral("/autostart"), QStringLiteral("murel"));
    }

    void platformUsesTheUsersAutostartFolder()
    {
        if (QSysInfo::productType() == QLatin1String("windows"))
            QSKIP("XDG autostart is the Linux desktop's; tst_windowsplatform has the Run key");
        QTemporaryDir dir;
        qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
        const auto platform = createPlatform();
        platform->registerAtLogon(QStringLiteral("murel"), QStringLiteral("/opt/my apps/murel"));
        const QString file = dir.path() + QStringLiteral("/autostart/murel.desktop");
        QCOMPARE(readAll(file), AutostartEntry::content(QStringLiteral("/opt/my apps/murel")));
        // That path is no program here: the session would pass the entry over.
        QVERIFY(!platform->isRegisteredAtLogon(QStringLiteral("murel"), QStringLiteral("/opt/my apps/murel")));
        const QString self = QCoreApplication::applicationFilePath();
        platform->registerAtLogon(QStringLiteral("murel"), self);
        QVERIFY(platform->isRegisteredAtLogon(QStringLiteral("murel"), self));
        QVERIFY(!platform->isRegisteredAtLogon(QStringLiteral("other"), self));
        platform->unregisterAtLogon(QStringLiteral("murel"));
        QVERIFY(!QFile::exists(file));
        QVERIFY(!platform->isRegisteredAtLogon(QStringLiteral("murel"), self));
        platform->unregisterAtLogon(QStringLiteral("murel"));
        // Failures stay silent: a file where the folder should be.
        QFile blocker(dir.path() + QStringLiteral("/autostart"));
        QVERIFY(QDir(dir.path()).rmdir(QStringLiteral("autostart")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        platform->registerAtLogon(QStringLiteral("murel"), QStringLiteral("/x"));
        qunsetenv("XDG_CONFIG_HOME");
    }

    void commands_data()
    {
        QTest::addColumn<QString>("exe");
        QTest::addColumn<QString>("appImage"); // "@" stands for an existing file
        QTest::addColumn<QString>("byPath");
        QTest::newRow("plain") << "/usr/local/bin/murel"
                               << ""
                               << "/usr/local/bin/murel";
        QTest::newRow("blanks") << "/opt/my apps/murel"
                                << ""
                                << "/opt/my apps/murel";
        QTest::newRow("dotted name kept whole") << "/opt/m/murel.bin"
                                                << ""
                                                << "/opt/m/murel.bin";
        QTest::newRow("a Windows path kept whole") << "C:/Program Files/Murel/murel.exe"
                                                   << ""
                                                   << "C:/Program Files/Murel/murel.exe";
        QTest::newRow("from an AppImage") << "/tmp/.mount_Murel1a/usr/bin/murel"
                                          << "@"
                                          << "@";
        QTest::newRow("AppImage gone") << "/tmp/.mount_Murel1a/usr/bin/murel"
                                       << "/nonexistent/Murel-2.6-x86_64.AppImage"
                                       << "/tmp/.mount_Murel1a/usr/bin/murel";
        QTest::newRow("AppImage not absolute") << "/usr/bin/murel"
                                               << "Murel-2.6-x86_64.AppImage"
                                               << "/usr/bin/murel";
    }
    void commands()
    {
        QFETCH(QString, exe);
        QFETCH(QString, appImage);
        QFETCH(QString, byPath);
        QTemporaryDir dir;
        const QString image = dir.filePath(QStringLiteral("Murel-2.6-x86_64.AppImage"));
        QFile f(image);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        if (appImage == QLatin1String("@"))
            appImage = image;
        if (byPath == QLatin1String("@"))
            byPath = image;
        QCOMPARE(LogonCommand::byPath(exe, appImage), byPath);

        // The running platform's entry: the file keeps the name rule, the
        // command is the platform's (on Windows the program's own file,
        // whose Run value the platform quotes).
        qputenv("APPIMAGE", appImage.toLocal8Bit());
        const auto platform = createPlatform();
        const RunAtLogon::Entry e = RunAtLogon::entryFor(exe, *platform);
        qunsetenv("APPIMAGE");
        QCOMPARE(e.name, QFileInfo(exe).completeBaseName());
        QCOMPARE(e.command, QSysInfo::productType() == QLatin1String("windows") ? exe : byPath);
    }
};

QTEST_MAIN(TestAutostart)
#include "tst_autostart.moc"
