#include "core/Settings.h"
#include "core/SettingsRecord.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

Q_DECLARE_METATYPE(Settings::Values)

namespace {

Settings::Values values(int background, const QString &font, bool logon, int interval, int duration, Settings::Unit unit)
{
    Settings::Values v;
    v.background = background;
    v.fontName = font;
    v.runAtLogon = logon;
    v.interval = interval;
    v.duration = duration;
    v.unit = unit;
    return v;
}

const QString kSans = QStringLiteral("MS Sans Serif");
constexpr int kMax = std::numeric_limits<int>::max();

} // namespace

class TestSettingsModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // What a record's fields, as written by hand or left damaged, stand for.
    void fromFields_data()
    {
        using U = Settings::Unit;
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<Settings::Values>("expected");
        QTest::newRow("no record: the defaults") << QStringList() << Settings::Values();
        QTest::newRow("a saved record")
            << QStringList{"2", "Tahoma", "1", "10", "5", "#FALSE#", "#TRUE#", "#FALSE#"}
            << values(2, "Tahoma", true, 10, 5, U::Minutes);
        QTest::newRow("short: the rest default") << QStringList{"3", "Arial"} << values(3, "Arial", false, 0, 0, U::Seconds);
        QTest::newRow("background none of the six")
            << QStringList{"7", "", "0", "5", "5"} << values(1, kSans, false, 5, 5, U::Seconds);
        QTest::newRow("background 2.0 is 2")
            << QStringList{"2.0"} << values(2, kSans, false, 0, 0, U::Seconds);
        QTest::newRow("background 2.5 is none of them")
            << QStringList{"2.5"} << values(1, kSans, false, 0, 0, U::Seconds);
        QTest::newRow("logon only for exactly 1")
            << QStringList{"1", "x", "7", "", ""} << values(1, "x", false, 0, 0, U::Seconds);
        QTest::newRow("blank-led and text numbers")
            << QStringList{"1", "x", "1.0", "  7", "abc"} << values(1, "x", true, 7, 0, U::Seconds);
        QTest::newRow("halves round to even")
            << QStringList{"1", "x", "0", "2.5", "3.5"} << values(1, "x", false, 2, 4, U::Seconds);
        QTest::newRow("huge and negative counts")
            << QStringList{"1", "x", "0", "1e300", "-40"} << values(1, "x", false, kMax, 0, U::Seconds);
        QTest::newRow("the last unit set wins")
            << QStringList{"1", "x", "0", "1", "3", "#TRUE#", "#FALSE#", "#TRUE#"} << values(1, "x", false, 1, 3, U::Hours);
        QTest::newRow("unreadable units: seconds")
            << QStringList{"1", "x", "0", "1", "3", "yes", "no", "maybe"} << values(1, "x", false, 1, 3, U::Seconds);
        QTest::newRow("units in any case")
            << QStringList{"1", "x", "0", "1", "3", "#false#", "#true#", "junk"} << values(1, "x", false, 1, 3, U::Minutes);
    }
    void fromFields()
    {
        QFETCH(QStringList, fields);
        QFETCH(Settings::Values, expected);
        const Settings::Values v = Settings::fromFields(fields);
        QCOMPARE(v.background, expected.background);
        QCOMPARE(v.fontName, expected.fontName);
        QCOMPARE(v.runAtLogon, expected.runAtLogon);
        QCOMPARE(v.interval, expected.interval);
        QCOMPARE(v.duration, expected.duration);
        QCOMPARE(int(v.unit), int(expected.unit));
    }

    // The record the program writes keeps the bytes it has always had, and
    // reads back as the same values.
    void savedBytesAndRoundTrip_data()
    {
        using U = Settings::Unit;
        QTest::addColumn<Settings::Values>("v");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("first start") << values(1, kSans, false, 5, 10, U::Seconds)
                                     << QByteArray("\"1\",\"MS Sans Serif\",\"0\",\"5\",\"10\",#TRUE#,#FALSE#,#FALSE#\r\n");
        QTest::newRow("hours, at logon") << values(6, "Tahoma", true, 59, 3, U::Hours)
                                         << QByteArray("\"6\",\"Tahoma\",\"1\",\"59\",\"3\",#FALSE#,#FALSE#,#TRUE#\r\n");
        QTest::newRow("an Arabic face name")
            << values(2, QStringLiteral("خط"), false, 1, 3, U::Minutes)
            << (QByteArray("\"2\",\"") + QStringLiteral("خط").toUtf8() + "\",\"0\",\"1\",\"3\",#FALSE#,#TRUE#,#FALSE#\r\n");
    }
    void savedBytesAndRoundTrip()
    {
        QFETCH(Settings::Values, v);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("background.txt"));
        Settings saved(path);
        saved.setValues(v);
        QVERIFY(saved.save());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
        Settings loaded(path);
        loaded.load();
        QVERIFY(loaded.values() == v);
    }

    void changesAreSignalledOnce()
    {
        Settings s(QStringLiteral("/nonexistent/background.txt"));
        QSignalSpy changed(&s, &Settings::changed);
        s.setBackground(4);
        s.setBackground(4);
        QCOMPARE(changed.count(), 1);
        // Out of range is the first background; an empty face the default one.
        s.setBackground(9);
        QCOMPARE(s.values().background, 1);
        s.setFontName(QStringLiteral("Tahoma"));
        s.setFontName(QString());
        QCOMPARE(s.values().fontName, Settings::defaultFontName());
        QCOMPARE(changed.count(), 4);
        // Nothing to read: the defaults, and a save that fails says so.
        s.load();
        QVERIFY(s.values() == Settings::Values());
        QVERIFY(!s.save());
    }

    // A record that cannot be written is news once, until a save succeeds.
    void aFailingSaveIsSignalledOnce()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("background.txt"));
        Settings s(path);
        QSignalSpy failed(&s, &Settings::saveFailed);
        // A folder in the record's place cannot be replaced.
        QVERIFY(QDir().mkpath(path));
        QVERIFY(!s.save());
        QVERIFY(!s.save());
        QCOMPARE(failed.count(), 1);
        QVERIFY(QDir().rmdir(path));
        QVERIFY(s.save());
        QVERIFY(QFile::remove(path) && QDir().mkpath(path));
        QVERIFY(!s.save());
        QCOMPARE(failed.count(), 2);
    }
};

QTEST_GUILESS_MAIN(TestSettingsModel)
#include "tst_settingsmodel.moc"
