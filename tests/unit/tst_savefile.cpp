#include "core/settings/SaveFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Perms = QFile::Permissions;

class TestSaveFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // A save keeps who may read the old file, but its owner can always
    // read and write what was written; without an old file it is made as
    // any new file is.
    void theOwnerCanAlwaysReadAndWriteIt_data()
    {
        QTest::addColumn<bool>("old");
        QTest::addColumn<Perms>("oldMode");
        QTest::addColumn<Perms>("newMode"); // empty: as a new file is made
        const Perms owner = QFile::ReadOwner | QFile::WriteOwner;
        const Perms others = QFile::ReadGroup | QFile::ReadOther;
        QTest::newRow("000") << true << Perms() << owner;
        QTest::newRow("0400") << true << Perms(QFile::ReadOwner) << owner;
        QTest::newRow("0600") << true << owner << owner;
        QTest::newRow("0644") << true << (owner | others) << (owner | others);
        QTest::newRow("0044") << true << others << (owner | others);
        QTest::newRow("no old file") << false << Perms() << Perms();
    }
    void theOwnerCanAlwaysReadAndWriteIt()
    {
        QFETCH(bool, old);
        QFETCH(Perms, oldMode);
        QFETCH(Perms, newMode);
#ifdef Q_OS_WIN
        if (old && !oldMode.testFlag(QFile::WriteOwner))
            QSKIP(
                "Windows keeps only a read-only flag, and a read-only file is never replaced: the save says it failed");
#endif
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("hold.ini"));
        // What the file system makes of a mode, read back the way the saved
        // file's is: Windows keeps only whether a file is read-only.
        const QString reference = dir.filePath(QStringLiteral("reference"));
        {
            QFile made(reference);
            QVERIFY(made.open(QIODevice::WriteOnly));
        }
        if (!newMode)
            newMode = QFile::permissions(reference);
        QVERIFY(QFile::setPermissions(reference, newMode));
        if (old) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write("old"), 3);
            file.close();
            QVERIFY(QFile::setPermissions(path, oldMode));
        }

        QVERIFY(saveFile(path, "new"));
        QCOMPARE(QFile::permissions(path), QFile::permissions(reference));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QCOMPARE(file.readAll(), QByteArray("new"));
    }
};

QTEST_GUILESS_MAIN(TestSaveFile)
#include "tst_savefile.moc"
