#include "core/fetch/PlayerLocation.h"

#include <QTest>

class TestPlayerLocation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void programFile_data()
    {
        QTest::addColumn<QString>("exeFolder");
        QTest::addColumn<QStringList>("players");
        QTest::addColumn<QString>("found");
#ifdef Q_OS_WIN
        // A Windows program keeps everything in its own folder, and its
        // programs end in .exe.
        QTest::newRow("beside the program") << "C:/Users/u/AppData/Local/Programs/Murel"
                                            << QStringList{"C:/Users/u/AppData/Local/Programs/Murel/murel-player.exe"}
                                            << "C:/Users/u/AppData/Local/Programs/Murel/murel-player.exe";
        QTest::newRow("without .exe it is no program") << "C:/Murel" << QStringList{"C:/Murel/murel-player"} << "";
        QTest::newRow("not in a lib folder") << "C:/Murel" << QStringList{"C:/Murel/lib/murel/murel-player.exe"} << "";
#else
        QTest::newRow("build tree") << "/home/u/murel/build" << QStringList{"/home/u/murel/build/murel-player"}
                                    << "/home/u/murel/build/murel-player";
        QTest::newRow("installed") << "/usr/bin" << QStringList{"/usr/lib/murel/murel-player"}
                                   << "/usr/lib/murel/murel-player";
        QTest::newRow("beside the program wins")
            << "/opt/m/bin" << QStringList{"/opt/m/bin/murel-player", "/opt/m/lib/murel/murel-player"}
            << "/opt/m/bin/murel-player";
        QTest::newRow("untidy program folder")
            << "/opt/m/./bin/" << QStringList{"/opt/m/lib/murel/murel-player"} << "/opt/m/lib/murel/murel-player";
        QTest::newRow("installed under a prefix with blanks")
            << "/tmp/my prefix/bin" << QStringList{"/tmp/my prefix/lib/murel/murel-player"}
            << "/tmp/my prefix/lib/murel/murel-player";
        QTest::newRow("none") << "/usr/bin" << QStringList{} << "";
        QTest::newRow("not in the build tree's lib")
            << "/home/u/murel/build" << QStringList{"/home/u/murel/lib/murel-player"} << "";
#endif
    }
    void programFile()
    {
        QFETCH(QString, exeFolder);
        QFETCH(QStringList, players);
        QFETCH(QString, found);
        QCOMPARE(PlayerLocation::programFile(exeFolder, [&](const QString &file) { return players.contains(file); }),
                 found);
    }
};

QTEST_GUILESS_MAIN(TestPlayerLocation)
#include "tst_playerlocation.moc"
