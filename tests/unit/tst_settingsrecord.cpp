#include "common/SpecialFiles.h"
#include "core/settings/SaveFile.h"
#include "core/settings/SettingsRecord.h"
#include "core/texts/TextDecoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

SettingsRecord record(const char *bg, const QString &font, const char *logon, const char *interval,
                      const char *duration, int unit)
{
    SettingsRecord r;
    r.background = QString::fromLatin1(bg);
    r.fontName = font;
    r.runAtLogon = QString::fromLatin1(logon);
    r.interval = QString::fromLatin1(interval);
    r.duration = QString::fromLatin1(duration);
    r.seconds = unit == 0;
    r.minutes = unit == 1;
    r.hours = unit == 2;
    return r;
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A disk that fails at one step: the write that meets a full disk takes
// part of its piece and no more, or the sync is refused.
class FailingSaveFile final : public SaveFile
{
public:
    FailingSaveFile(const QString &path, int failingWrite, bool syncFails)
        : SaveFile(path)
        , m_failingWrite(failingWrite)
        , m_syncFails(syncFails)
    {
    }

protected:
    qint64 writeToDisk(QFile &file, QByteArrayView bytes) override
    {
        return SaveFile::writeToDisk(file, ++m_writes == m_failingWrite ? bytes.first(bytes.size() / 2) : bytes);
    }
    bool syncToDisk(QFile &file) override { return !m_syncFails && SaveFile::syncToDisk(file); }

private:
    int m_failingWrite;
    bool m_syncFails;
    int m_writes = 0;
};

} // namespace

class TestSettingsRecord : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void encode_data()
    {
        QTest::addColumn<SettingsRecord>("rec");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("minutes, background 2")
            << record("2", QStringLiteral("MS Sans Serif"), "0", "10", "5", 1)
            << QByteArray("\"2\",\"MS Sans Serif\",\"0\",\"10\",\"5\",#FALSE#,#TRUE#,#FALSE#\r\n");
        QTest::newRow("seconds, Tahoma, at logon")
            << record("1", QStringLiteral("Tahoma"), "1", "5", "10", 0)
            << QByteArray("\"1\",\"Tahoma\",\"1\",\"5\",\"10\",#TRUE#,#FALSE#,#FALSE#\r\n");
        QTest::newRow("hours, empty texts kept") << record("", QString(), "", " 3", "", 2)
                                                 << QByteArray("\"\",\"\",\"\",\" 3\",\"\",#FALSE#,#FALSE#,#TRUE#\r\n");
        QTest::newRow("arabic font name in UTF-8") << record("3", QStringLiteral("خط عربي"), "0", "1", "3", 0)
                                                   << (QByteArray("\"3\",\"") + QStringLiteral("خط عربي").toUtf8()
                                                       + "\",\"0\",\"1\",\"3\",#TRUE#,#FALSE#,#FALSE#\r\n");
        QTest::newRow("quotes and line breaks dropped")
            << record("1", QStringLiteral("My \"Quoted\"\r\nFont"), "0", "5", "5", 0)
            << QByteArray("\"1\",\"My QuotedFont\",\"0\",\"5\",\"5\",#TRUE#,#FALSE#,#FALSE#\r\n");
    }
    void encode()
    {
        QFETCH(SettingsRecord, rec);
        QFETCH(QByteArray, bytes);
        QCOMPARE(encodeSettingsRecord(rec), bytes);
    }

    void read_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("fields");
        const QStringList full = {"2", "MS Sans Serif", "0", "10", "5", "#FALSE#", "#TRUE#", "#FALSE#"};
        QTest::newRow("example line") << QByteArray(
            "\"2\",\"MS Sans Serif\",\"0\",\"10\",\"5\",#FALSE#,#TRUE#,#FALSE#\r\n")
                                      << full;
        QTest::newRow("empty") << QByteArray() << QStringList();
        QTest::newRow("only a line end") << QByteArray("\r\n") << QStringList{""};
        QTest::newRow("short") << QByteArray("\"3\",\"Arial\"") << QStringList{"3", "Arial"};
        QTest::newRow("short with trailing comma") << QByteArray("\"3\",\"Arial\",") << QStringList{"3", "Arial"};
        QTest::newRow("over-long line ignores the rest")
            << QByteArray("\"2\",\"MS Sans Serif\",\"0\",\"10\",\"5\",#FALSE#,#TRUE#,#FALSE#,\"x\",\"y\"\r\n") << full;
        QTest::newRow("fields continue on the next line")
            << QByteArray("\"2\",\"MS Sans Serif\"\r\n\"0\",\"10\",\"5\"\n#FALSE#,#TRUE#,#FALSE#\r\n") << full;
        QTest::newRow("second record ignored")
            << QByteArray("\"2\",\"MS Sans Serif\",\"0\",\"10\",\"5\",#FALSE#,#TRUE#,#FALSE#\r\n"
                          "\"6\",\"Arial\",\"1\",\"1\",\"3\",#TRUE#,#FALSE#,#FALSE#\r\n")
            << full;
        QTest::newRow("blanks around fields")
            << QByteArray("  \"4\" , \"Arial\",  7 ,x y  ,\"3\"") << QStringList{"4", "Arial", "7", "x y", "3"};
        QTest::newRow("comma inside quotes") << QByteArray("\"1\",\"a,b\",\"0\"") << QStringList{"1", "a,b", "0"};
        QTest::newRow("unterminated quote ends at line end")
            << QByteArray("\"1\",\"abc\r\n\"5\"") << QStringList{"1", "abc", "5"};
        QTest::newRow("unquoted booleans")
            << QByteArray("1,Tahoma,0,5,10,#TRUE#,#FALSE#,#FALSE#")
            << QStringList{"1", "Tahoma", "0", "5", "10", "#TRUE#", "#FALSE#", "#FALSE#"};
    }
    void read()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, fields);
        QCOMPARE(readSettingsFields(decodeSettingsText(bytes)), fields);
    }

    void booleans_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("expected"); // -1 does not convert
        QTest::newRow("true") << "#TRUE#" << 1;
        QTest::newRow("false") << "#FALSE#" << 0;
        QTest::newRow("lower case") << "#true#" << 1;
        QTest::newRow("bare word") << "TRUE" << -1;
        QTest::newRow("number") << "1" << -1;
        QTest::newRow("empty") << "" << -1;
    }
    void booleans()
    {
        QFETCH(QString, field);
        QFETCH(int, expected);
        const auto b = recordBoolean(field);
        QCOMPARE(b.has_value() ? int(*b) : -1, expected);
    }

    void decoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("ascii") << QByteArray("Tahoma") << QStringLiteral("Tahoma");
        QTest::newRow("utf-8 arabic") << QStringLiteral("خط").toUtf8() << QStringLiteral("خط");
        QTest::newRow("utf-8 with bom") << QByteArray("\xEF\xBB\xBFTahoma") << QStringLiteral("Tahoma");
        // "خط" in the Arabic Windows code page is 0xCE 0xD8: not valid UTF-8.
        QTest::newRow("windows-1256 arabic") << QByteArray("\xCE\xD8") << QStringLiteral("خط");
        QTest::newRow("windows-1256 upper range") << QByteArray("\x80\xFF\x81") << QStringLiteral("€ےپ");
    }
    void decoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(decodeSettingsText(bytes), text);
    }

    void fileRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("background.txt"));
        const SettingsRecord rec = record("5", QStringLiteral("Noto Naskh Arabic"), "1", "12", "30", 2);
        QVERIFY(writeSettingsFile(path, rec));
        QVERIFY(writeSettingsFile(path, rec)); // twice leaves one line
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), encodeSettingsRecord(rec));
        QCOMPARE(readSettingsFile(path),
                 (QStringList{"5", "Noto Naskh Arabic", "1", "12", "30", "#FALSE#", "#FALSE#", "#TRUE#"}));
    }

    void missingOrSpecialFileReadsNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << QString();
        for (const QString &kind : SpecialFiles::kinds())
            QTest::newRow(qPrintable(kind)) << kind;
    }
    void missingOrSpecialFileReadsNothing()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("background.txt"));
        if (!kind.isEmpty())
            QVERIFY(SpecialFiles::make(path, kind));
        QVERIFY(readSettingsFile(path).isEmpty());
    }

    void failedWriteKeepsOldFile()
    {
        QTemporaryDir dir;
        // A folder standing where the record should go cannot be replaced.
        const QString blocked = dir.filePath(QStringLiteral("blocked"));
        QVERIFY(QDir().mkpath(blocked + QStringLiteral("/inner")));
        QVERIFY(!writeSettingsFile(blocked, record("1", QStringLiteral("x"), "0", "5", "5", 0)));
        QVERIFY(QFileInfo(blocked + QStringLiteral("/inner")).isDir());
        QVERIFY(!writeSettingsFile(dir.filePath(QStringLiteral("no/such/folder/background.txt")),
                                   record("1", QStringLiteral("x"), "0", "5", "5", 0)));
    }

    // The old file stays byte for byte, and nothing is left beside it,
    // whichever step of a save fails; a save that succeeds keeps who may
    // read the file.
    void aFailedStepKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("failingWrite");
        QTest::addColumn<bool>("syncFails");
        QTest::newRow("nothing fails") << 0 << false;
        QTest::newRow("the first write") << 1 << false;
        QTest::newRow("a later write") << 3 << false;
        QTest::newRow("the sync") << 0 << true;
    }
    void aFailedStepKeepsTheOldFile()
    {
        QFETCH(int, failingWrite);
        QFETCH(bool, syncFails);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("background.txt"));
        const QByteArray old = "\"2\",\"Tahoma\",\"0\",\"7\",\"5\",#FALSE#,#TRUE#,#FALSE#\r\n";
        QVERIFY(writeBytes(path, old));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        const QFile::Permissions permissions = QFile::permissions(path);
        const QList<QByteArray> pieces{"\"4\",", "\"Arial\",", "\"1\",\"9\",\"3\",", "#TRUE#,#FALSE#,#FALSE#\r\n"};
        const bool fails = failingWrite != 0 || syncFails;
        {
            FailingSaveFile file(path, failingWrite, syncFails);
            QVERIFY(file.open());
            bool written = true;
            for (const QByteArray &piece : pieces)
                written = file.write(piece) && written;
            QCOMPARE(written, failingWrite == 0);
            QCOMPARE(file.commit(), !fails);
        }
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), fails ? old : pieces.join());
        QCOMPARE(QFile::permissions(path), permissions);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("background.txt")});
    }

    void binaryAndHugeFilesAreSafe()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("background.txt"));
        QByteArray junk;
        for (int i = 0; i < 300000; ++i)
            junk.append(char((qint64(i) * 7919) % 256));
        QVERIFY(writeBytes(path, junk));
        const QStringList fields = readSettingsFile(path);
        QVERIFY(fields.size() <= 8);
        for (const QString &field : fields)
            QVERIFY(field.size() <= kSettingsReadLimit);

        // A long valid line is read up to the limit; its fields survive.
        QByteArray longLine = "\"3\",\"Tahoma\",\"0\",\"5\",\"9\",#TRUE#,#FALSE#,#FALSE#,\"";
        longLine += QByteArray(200000, 'x');
        QVERIFY(writeBytes(path, longLine));
        QCOMPARE(readSettingsFile(path).value(1), QStringLiteral("Tahoma"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsRecord)
#include "tst_settingsrecord.moc"
