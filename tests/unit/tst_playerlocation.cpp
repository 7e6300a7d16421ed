#include "announce/PlayerLocation.h"

#include <QTest>

class TestPlayerLocation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pluginFile_data()
    {
        QTest::addColumn<QString>("exeFolder");
        QTest::addColumn<QStringList>("foldersWithPlugin");
        QTest::addColumn<QString>("plugin");
        QTest::newRow("build tree") << "/home/u/murel/build" << QStringList{"/home/u/murel/build"}
                                    << "/home/u/murel/build/murel_player";
        QTest::newRow("installed under /usr") << "/usr/bin" << QStringList{"/usr/lib/murel"}
                                              << "/usr/lib/murel/murel_player";
        QTest::newRow("installed under a prefix with blanks")
            << "/tmp/my prefix/bin" << QStringList{"/tmp/my prefix/lib/murel"} << "/tmp/my prefix/lib/murel/murel_player";
        QTest::newRow("beside the program wins") << "/opt/m/bin" << QStringList{"/opt/m/bin", "/opt/m/lib/murel"}
                                                 << "/opt/m/bin/murel_player";
        QTest::newRow("untidy program folder") << "/opt/m/./bin/" << QStringList{"/opt/m/lib/murel"}
                                               << "/opt/m/lib/murel/murel_player";
        QTest::newRow("no player") << "/usr/bin" << QStringList{} << "";
        QTest::newRow("not in the build tree's lib") << "/home/u/murel/build" << QStringList{"/home/u/murel/lib"} << "";
    }
    void pluginFile()
    {
        QFETCH(QString, exeFolder);
        QFETCH(QStringList, foldersWithPlugin);
        QFETCH(QString, plugin);
        const QString found = PlayerLocation::pluginFile(
            exeFolder, [&](const QString &folder) { return foldersWithPlugin.contains(folder); });
        QCOMPARE(found, plugin);
    }
};

QTEST_GUILESS_MAIN(TestPlayerLocation)
#include "tst_playerlocation.moc"
