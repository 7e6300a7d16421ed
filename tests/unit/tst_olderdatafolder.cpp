#include "core/system/DataFolderChoice.h"
#include "core/system/OlderDataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// A data folder of an older version is brought over once, whole, and left
// where it was; a folder already in use is never written over.
class TestOlderDataFolder : public QObject
{
    Q_OBJECT

    // Folders are written as "name:file=bytes,file=bytes"; sub-folders in
    // the file's name ("wjk/text8.txt").
    static void fill(const QString &root, const QString &layout)
    {
        const QString name = layout.section(u':', 0, 0);
        for (const QString &entry : layout.section(u':', 1).split(u',', Qt::SkipEmptyParts)) {
            const QString path = root + u'/' + name + u'/' + entry.section(u'=', 0, 0);
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(entry.section(u'=', 1).toUtf8());
        }
    }

    static QString contents(const QString &folder)
    {
        QStringList files;
        const QDir dir(folder);
        for (const QString &file : {QStringLiteral("background.txt"), QStringLiteral("hold.ini"),
                                    QStringLiteral("wjk/text8.txt"), QStringLiteral("murel.lock")}) {
            QFile f(dir.filePath(file));
            if (f.open(QIODevice::ReadOnly))
                files << file + u'=' + QString::fromUtf8(f.readAll());
        }
        return files.join(u',');
    }

private Q_SLOTS:
    void windowsFolders_data()
    {
        QTest::addColumn<QString>("appData");
        QTest::addColumn<QString>("localAppData");
        QTest::addColumn<QString>("windir");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("older");

        const QString roaming = QStringLiteral("C:\\Users\\عبدالله\\AppData\\Roaming");
        const QString local = QStringLiteral("C:\\Users\\عبدالله\\AppData\\Local");
        QTest::newRow("a user's profile with an Arabic name")
            << roaming << local << QStringLiteral("C:\\WINDOWS")
            << QStringLiteral("C:/Users/عبدالله/AppData/Roaming/Murel")
            << QStringList{QStringLiteral("C:/Users/عبدالله/AppData/Local/VirtualStore/WINDOWS/murel"),
                           QStringLiteral("C:/WINDOWS/murel")};
        QTest::newRow("the system on another drive, a trailing separator")
            << QStringLiteral("D:\\p\\") << QStringLiteral("D:\\l") << QStringLiteral("E:\\Win\\")
            << QStringLiteral("D:/p/Murel")
            << QStringList{QStringLiteral("D:/l/VirtualStore/Win/murel"), QStringLiteral("E:/Win/murel")};
        QTest::newRow("no local folder: no store to look in")
            << roaming << QString() << QStringLiteral("C:\\Windows")
            << QStringLiteral("C:/Users/عبدالله/AppData/Roaming/Murel")
            << QStringList{QStringLiteral("C:/Windows/murel")};
        QTest::newRow("no windir: nothing older")
            << roaming << local << QString() << QStringLiteral("C:/Users/عبدالله/AppData/Roaming/Murel")
            << QStringList();
        QTest::newRow("no APPDATA: no folder") << QString() << local << QString() << QString() << QStringList();
    }

    void windowsFolders()
    {
        QFETCH(QString, appData);
        QFETCH(QString, localAppData);
        QFETCH(QString, windir);
        const WindowsDataFolders folders = windowsDataFolders(appData, localAppData, windir);
        QTEST(folders.folder, "folder");
        QTEST(folders.older, "older");
    }

    void copiesTheFirstOlderFolderWithARecordOnce_data()
    {
        QTest::addColumn<QStringList>("folders"); // the target first, then the candidates in order
        QTest::addColumn<QString>("from");        // the candidate copied, or empty
        QTest::addColumn<QString>("after");       // the target's files afterwards

        const QString old = QStringLiteral("old:background.txt=05\r\n,hold.ini=[hold],wjk/text8.txt=t,murel.lock=1");
        QTest::newRow("a new folder takes the old one's files, not its lock")
            << QStringList{QStringLiteral("new:"), old} << QStringLiteral("old")
            << QStringLiteral("background.txt=05\r\n,hold.ini=[hold],wjk/text8.txt=t");
        QTest::newRow("the running copy's lock does not count as use")
            << QStringList{QStringLiteral("new:murel.lock=2"), old} << QStringLiteral("old")
            << QStringLiteral("background.txt=05\r\n,hold.ini=[hold],wjk/text8.txt=t,murel.lock=2");
        QTest::newRow("a folder in use is left alone")
            << QStringList{QStringLiteral("new:hold.ini=mine"), old} << QString() << QStringLiteral("hold.ini=mine");
        QTest::newRow("a candidate without a record is passed over")
            << QStringList{QStringLiteral("new:"), QStringLiteral("store:hold.ini=x"),
                           QStringLiteral("windows:background.txt=7")}
            << QStringLiteral("windows") << QStringLiteral("background.txt=7");
        QTest::newRow("the first candidate with a record wins")
            << QStringList{QStringLiteral("new:"), QStringLiteral("store:background.txt=1"),
                           QStringLiteral("windows:background.txt=2")}
            << QStringLiteral("store") << QStringLiteral("background.txt=1");
        QTest::newRow("no candidate") << QStringList{QStringLiteral("new:")} << QString() << QString();
        QTest::newRow("a candidate that is the target itself")
            << QStringList{QStringLiteral("new:background.txt=9"), QStringLiteral("new:")} << QString()
            << QStringLiteral("background.txt=9");
    }

    void copiesTheFirstOlderFolderWithARecordOnce()
    {
        QFETCH(QStringList, folders);
        QFETCH(QString, from);
        QFETCH(QString, after);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QStringList paths;
        for (const QString &layout : folders) {
            fill(dir.path(), layout);
            paths << dir.filePath(layout.section(u':', 0, 0));
        }
        const QString target = paths.takeFirst();
        QStringList before;
        for (const QString &candidate : paths)
            before << contents(candidate);

        const QString copied = OlderDataFolder::copyInto(target, paths);
        QCOMPARE(copied, from.isEmpty() ? QString() : QDir::cleanPath(dir.filePath(from)));
        QCOMPARE(contents(target), after);
        // The older folders stay as they were.
        for (int i = 0; i < paths.size(); ++i)
            QCOMPARE(contents(paths.at(i)), before.at(i));
        // Once copied, the target is in use: a second start copies nothing.
        QCOMPARE(OlderDataFolder::copyInto(target, paths), QString());
        QCOMPARE(contents(target), after);
    }
};

QTEST_GUILESS_MAIN(TestOlderDataFolder)
#include "tst_olderdatafolder.moc"
