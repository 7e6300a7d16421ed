#include "core/system/CommandLine.h"
#include "core/system/DataFolderChoice.h"
#include "core/system/Version.h"

#include <QTest>

Q_DECLARE_METATYPE(DataFolderChoice::Refusal)

class TestCommandLine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void decision_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("run");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("outStart");
        QTest::addColumn<QString>("errStart");
        const QString usage =
            QStringLiteral("Usage: murel [--help] [--version] [--pause 30m|1h|tomorrow] [--resume] [--show-now]\n");
        const QString version = QStringLiteral("murel " MUREL_VERSION "\n");
        auto row = [](const char *name, const QStringList &args) -> QTestData & {
            return QTest::newRow(name) << QStringList{QStringLiteral("/usr/bin/murel")} + args;
        };
        row("nothing", {}) << true << 0 << ""
                           << "";
        row("toolkit platform", {"-platform", "xcb"}) << true << 0 << ""
                                                      << "";
        row("session restart", {"-session", "1a2b3c"}) << true << 0 << ""
                                                       << "";
        row("toolkit double dash", {"--style", "Fusion", "-reverse"}) << true << 0 << ""
                                                                      << "";
        row("help", {"--help"}) << false << 0 << usage << "";
        row("short help", {"-h"}) << false << 0 << usage << "";
        row("version", {"--version"}) << false << 0 << version << "";
        row("short version", {"-v"}) << false << 0 << version << "";
        row("first of help and version", {"--version", "--help"}) << false << 0 << version << "";
        row("unknown option", {"--bogus"}) << false << 2 << ""
                                           << "murel: unknown option '--bogus'\n" + usage;
        row("unknown after help", {"--help", "-x"}) << false << 2 << ""
                                                    << "murel: unknown option '-x'\n" + usage;
        row("value glued on", {"--version=3"}) << false << 2 << ""
                                               << "murel: unknown option '--version=3'\n" + usage;
        row("argument", {"notes.txt"}) << false << 2 << ""
                                       << "murel: unexpected argument 'notes.txt'\n" + usage;
        row("lone dash", {"-"}) << false << 2 << ""
                                << "murel: unexpected argument '-'\n" + usage;
        row("toolkit value missing", {"-platform"}) << false << 2 << ""
                                                    << "murel: option '-platform' needs a value\n" + usage;
        row("pause for the running copy", {"--pause", "30m"}) << true << 0 << ""
                                                              << "";
        row("pause length missing", {"--pause"}) << false << 2 << ""
                                                 << "murel: option '--pause' needs a value\n" + usage;
        row("pause length unknown", {"--pause=soon"})
            << false << 2 << ""
            << "murel: 'soon' is not a pause length (30m, 1h or tomorrow)\n" + usage;
        row("pause length far too long", {"--pause", QString(100000, QLatin1Char('9')) + QStringLiteral("m")})
            << false << 2 << ""
            << "murel: '" + QString(40, QLatin1Char('9')) + "…' is not a pause length (30m, 1h or tomorrow)\n" + usage;
        row("terminal controls in an argument", {QStringLiteral("--x\x1b[2J\u202e")})
            << false << 2 << ""
            << "murel: unknown option '--x?[2J?'\n" + usage;
    }

    // What reaches the running copy, and which lengths a pause may have.
    void request_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("request");
        QTest::newRow("none") << QStringList{} << QByteArray();
        QTest::newRow("pause, value apart") << QStringList{"--pause", "1h"} << QByteArray("pause 1h\n");
        QTest::newRow("pause, value glued on") << QStringList{"--pause=tomorrow"} << QByteArray("pause tomorrow\n");
        QTest::newRow("resume") << QStringList{"--resume"} << QByteArray("resume\n");
        QTest::newRow("the last one counts") << QStringList{"--pause", "5m", "--show-now"} << QByteArray("show-now\n");
    }
    void request()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, request);
        QCOMPARE(decideCommandLine(QStringList{QStringLiteral("murel")} + arguments).request, request);
    }

    void pauseLength_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("minutes"); // -1: refused, 0: until tomorrow
        QTest::newRow("minutes") << "30m" << 30;
        QTest::newRow("a day in minutes") << "1440m" << 1440;
        QTest::newRow("a minute too many") << "1441m" << -1;
        QTest::newRow("hours") << "2h" << 120;
        QTest::newRow("more than a day") << "25h" << -1;
        QTest::newRow("zero") << "0m" << -1;
        QTest::newRow("tomorrow") << "tomorrow" << 0;
        QTest::newRow("no unit") << "30" << -1;
        QTest::newRow("sign") << "+5m" << -1;
        QTest::newRow("seconds") << "30s" << -1;
        QTest::newRow("Arabic digits") << "٣٠m" << -1;
    }
    void pauseLength()
    {
        QFETCH(QString, text);
        QFETCH(int, minutes);
        const std::optional<PauseLength> length = parsePauseLength(text);
        QCOMPARE(length.has_value(), minutes >= 0);
        if (length)
            QCOMPARE(length->untilTomorrow ? 0 : length->minutes, minutes);
    }
    void decision()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, run);
        QFETCH(int, exitCode);
        QFETCH(QString, outStart);
        QFETCH(QString, errStart);
        const CommandLineDecision d = decideCommandLine(arguments);
        QCOMPARE(d.run, run);
        QCOMPARE(d.exitCode, exitCode);
        QCOMPARE(d.standardOutput.left(outStart.size()), outStart);
        QCOMPARE(d.standardOutput.isEmpty(), outStart.isEmpty());
        QCOMPARE(d.standardError, errStart);
    }

    // The platform the toolkit will be asked for, taken as it takes it.
    void platform_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("platform");
        QTest::newRow("none") << QStringList{QStringLiteral("murel")} << QString();
        QTest::newRow("one dash") << QStringList{QStringLiteral("murel"), QStringLiteral("-platform"),
                                                 QStringLiteral("wayland")}
                                  << QStringLiteral("wayland");
        QTest::newRow("two dashes, among others")
            << QStringList{QStringLiteral("murel"),      QStringLiteral("-style"), QStringLiteral("fusion"),
                           QStringLiteral("--platform"), QStringLiteral("xcb"),    QStringLiteral("-reverse")}
            << QStringLiteral("xcb");
        QTest::newRow("the last one counts")
            << QStringList{QStringLiteral("murel"), QStringLiteral("-platform"), QStringLiteral("xcb"),
                           QStringLiteral("-platform"), QStringLiteral("wayland-egl")}
            << QStringLiteral("wayland-egl");
        QTest::newRow("a value is not an option")
            << QStringList{QStringLiteral("murel"), QStringLiteral("-style"), QStringLiteral("-platform")} << QString();
        QTest::newRow("theme, not platform")
            << QStringList{QStringLiteral("murel"), QStringLiteral("-platformtheme"), QStringLiteral("gtk3")}
            << QString();
    }
    void platform()
    {
        QFETCH(QStringList, arguments);
        QTEST(decideCommandLine(arguments).platform, "platform");
    }

    // The X display the toolkit will be asked for, which counts as a
    // display when DISPLAY is unset.
    void display()
    {
        QCOMPARE(decideCommandLine({QStringLiteral("murel"), QStringLiteral("-display"), QStringLiteral(":1")}).display,
                 QStringLiteral(":1"));
        QCOMPARE(
            decideCommandLine({QStringLiteral("murel"), QStringLiteral("-style"), QStringLiteral("-display")}).display,
            QString());
    }

    // The data folder from windir's bytes: one fixed folder, or a refusal,
    // never some other folder.
    void dataFolder_data()
    {
        using R = DataFolderChoice::Refusal;
        QTest::addColumn<QByteArray>("windir");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<R>("refusal");
        QTest::newRow("unset") << QByteArray() << "/home/u/.local/share/murel" << R::None;
        QTest::newRow("absolute") << QByteArray("/srv/data/") << "/srv/data/murel" << R::None;
        QTest::newRow("absolute Arabic") << QByteArray("/srv/\xd9\x85\xd8\xac\xd9\x84\xd8\xaf")
                                         << QStringLiteral("/srv/مجلد/murel") << R::None;
        QTest::newRow("not UTF-8") << QByteArray("/srv/caf\xe9") << QString() << R::NotAFileName;
        QTest::newRow("cut UTF-8") << QByteArray("/srv/\xd9") << QString() << R::NotAFileName;
        QTest::newRow("relative") << QByteArray("data") << QString() << R::Relative;
        QTest::newRow("dot") << QByteArray("./data") << QString() << R::Relative;
        QTest::newRow("tilde") << QByteArray("~/data") << QString() << R::Relative;
    }
    void dataFolder()
    {
#ifdef Q_OS_WIN
        QSKIP("windir is the system's folder on Windows, never the data folder's choice");
#endif
        QFETCH(QByteArray, windir);
        QFETCH(DataFolderChoice::Refusal, refusal);
        const DataFolderChoice choice = chooseDataFolder(windir, QStringLiteral("/home/u/.local/share"));
        QTEST(choice.folder, "folder");
        QCOMPARE(choice.refusal, refusal);
        QCOMPARE(dataFolderRefusalLine(refusal).isEmpty(), refusal == DataFolderChoice::Refusal::None);
        QCOMPARE(dataFolderRefusalMessage(refusal).isEmpty(), refusal == DataFolderChoice::Refusal::None);
    }

    // The program is named in a message as it was typed, without its
    // folder, in the system's own way of writing one.
    void programName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("named");
        QTest::newRow("bare") << "murel"
                              << "murel";
        QTest::newRow("in a folder") << "/usr/bin/murel"
                                     << "murel";
        QTest::newRow("nothing") << ""
                                 << "murel";
#ifdef Q_OS_WIN
        QTest::newRow("in a Windows folder") << "C:\\Program Files\\Murel\\murel.exe"
                                             << "murel.exe";
        QTest::newRow("Arabic folder") << "C:\\برامج\\murel.exe"
                                       << "murel.exe";
#endif
    }
    void programName()
    {
        QFETCH(QString, typed);
        QFETCH(QString, named);
        QCOMPARE(decideCommandLine({typed, QStringLiteral("--bogus")}).standardError,
                 named + QStringLiteral(": unknown option '--bogus'\nUsage: ") + named
                     + QStringLiteral(" [--help] [--version] [--pause 30m|1h|tomorrow] [--resume] [--show-now]\n"));
    }

    void helpIsInBothLanguages()
    {
        const QString help = decideCommandLine({QStringLiteral("murel"), QStringLiteral("--help")}).standardOutput;
        QVERIFY(help.contains(QStringLiteral("show the version and exit")));
        QVERIFY(help.contains(QStringLiteral("اعرض رقم الإصدار واخرج")));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
