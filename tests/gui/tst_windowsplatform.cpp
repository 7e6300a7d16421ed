#include "platform/Platform.h"

#include <QDir>
#include <QSettings>
#include <QTest>
#include <QWidget>

#include <windows.h>

// The Windows platform against the real system (under Wine in CI): the
// user's Run key, the user's data folder from a UTF-16 environment, and a
// notice kept out of the taskbar and Alt+Tab.
class TestWindowsPlatform : public QObject
{
    Q_OBJECT

    static QString runValue(const char *root)
    {
        QSettings run(QStringLiteral("%1\\Software\\Microsoft\\Windows\\CurrentVersion\\Run").arg(QLatin1String(root)),
                      QSettings::NativeFormat);
        return run.value(QStringLiteral("murel-test")).toString();
    }

    static void setEnvironment(const wchar_t *name, const QString &value)
    {
        _wputenv_s(name, reinterpret_cast<const wchar_t *>(value.utf16()));
    }

private Q_SLOTS:
    void logonEntryIsTheUsersOwn()
    {
        const auto platform = createPlatform();
        const QString exe = QStringLiteral("C:/Users/عبد الله/AppData/Local/Programs/Murel/murel.exe");
        const QString name = QStringLiteral("murel-test");
        platform->registerAtLogon(name, exe);
        QCOMPARE(runValue("HKEY_CURRENT_USER"),
                 QStringLiteral("\"C:\\Users\\عبد الله\\AppData\\Local\\Programs\\Murel\\murel.exe\""));
        QVERIFY(platform->isRegisteredAtLogon(name, exe));
        QVERIFY(!platform->isRegisteredAtLogon(name, QStringLiteral("C:/Other/murel.exe")));
        platform->unregisterAtLogon(name);
        QCOMPARE(runValue("HKEY_CURRENT_USER"), QString());
        QVERIFY(!platform->isRegisteredAtLogon(name, exe));
    }

    void anEntryForEveryUserCountsAsTicked()
    {
        QSettings machine(QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"),
                          QSettings::NativeFormat);
        machine.setValue(QStringLiteral("murel-test"), QStringLiteral("C:\\WINDOWS\\murel"));
        machine.sync();
        if (machine.status() != QSettings::NoError || runValue("HKEY_LOCAL_MACHINE").isEmpty())
            QSKIP("this user may not write the machine's Run key (only a real standard user shows the rest)");
        const auto platform = createPlatform();
        QVERIFY(platform->isRegisteredAtLogon(QStringLiteral("murel-test"), QStringLiteral("C:/Murel/murel.exe")));
        machine.remove(QStringLiteral("murel-test"));
        machine.sync();
        QVERIFY(!platform->isRegisteredAtLogon(QStringLiteral("murel-test"), QStringLiteral("C:/Murel/murel.exe")));
    }

    void dataFolderFollowsTheUsersProfile()
    {
        const QString appData = qEnvironmentVariable("APPDATA");
        const QString localAppData = qEnvironmentVariable("LOCALAPPDATA");
        setEnvironment(L"APPDATA", QStringLiteral("C:\\Users\\عبدالله\\AppData\\Roaming"));
        setEnvironment(L"LOCALAPPDATA", QStringLiteral("C:\\Users\\عبدالله\\AppData\\Local"));
        const auto platform = createPlatform();
        QCOMPARE(platform->dataFolder(), QStringLiteral("C:/Users/عبدالله/AppData/Roaming/Murel"));
        const QString system = QDir::fromNativeSeparators(qEnvironmentVariable("windir"));
        QCOMPARE(platform->olderDataFolders(),
                 QStringList({QStringLiteral("C:/Users/عبدالله/AppData/Local/VirtualStore/") + system.mid(3)
                                  + QStringLiteral("/murel"),
                              system + QStringLiteral("/murel")}));
        setEnvironment(L"APPDATA", appData);
        setEnvironment(L"LOCALAPPDATA", localAppData);
    }

    void aNoticeStaysOutOfTheTaskbar()
    {
        const auto platform = createPlatform();
        QWidget notice(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
        notice.winId();
        platform->markAsNotice(notice);
        const LONG_PTR style = GetWindowLongPtrW(reinterpret_cast<HWND>(notice.winId()), GWL_EXSTYLE);
        QVERIFY(style & WS_EX_TOOLWINDOW);
        QVERIFY(style & WS_EX_NOACTIVATE);
        QVERIFY(!(style & WS_EX_APPWINDOW));
        QVERIFY(platform->idleMs() >= 0);
    }
};

QTEST_MAIN(TestWindowsPlatform)
#include "tst_windowsplatform.moc"
