#include "core/settings/Settings.h"
#include "core/settings/SettingsRecord.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

Q_DECLARE_METATYPE(Settings::Values)

namespace {

Settings::Values values(const char *background, const QString &font, bool logon, const char *interval,
                        const char *duration, Settings::Unit unit)
{
    Settings::Values v;
    v.background = TypedNumber(QString::fromLatin1(background));
    v.fontName = font;
    v.runAtLogon = logon;
    v.interval = TypedNumber(QString::fromLatin1(interval));
    v.duration = TypedNumber(QString::fromLatin1(duration));
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
        QTest::addColumn<int>("picture");  // 0: none of the six
        QTest::addColumn<int>("interval"); // the counts the timers run on
        QTest::addColumn<int>("duration");
        QTest::newRow("no record: the defaults") << QStringList() << Settings::Values() << 1 << 0 << 0;
        QTest::newRow("a saved record") << QStringList{"2", "Tahoma", "1", "10", "5", "#FALSE#", "#TRUE#", "#FALSE#"}
                                        << values("2", "Tahoma", true, "10", "5", U::Minutes) << 2 << 10 << 5;
        QTest::newRow("short: the rest default")
            << QStringList{"3", "Arial"} << values("3", "Arial", false, "0", "0", U::Seconds) << 3 << 0 << 0;
        // Kept as read, to be written back so; the card keeps its own look.
        QTest::newRow("background none of the six")
            << QStringList{"7", "", "0", "5", "5"} << values("7", kSans, false, "5", "5", U::Seconds) << 0 << 5 << 5;
        QTest::newRow("background 0") << QStringList{"0"} << values("0", kSans, false, "0", "0", U::Seconds) << 0 << 0
                                      << 0;
        QTest::newRow("background 2.0 is 2")
            << QStringList{"2.0"} << values("2.0", kSans, false, "0", "0", U::Seconds) << 2 << 0 << 0;
        QTest::newRow("background 2.5 is none of them")
            << QStringList{"2.5"} << values("2.5", kSans, false, "0", "0", U::Seconds) << 0 << 0 << 0;
        QTest::newRow("logon only for exactly 1")
            << QStringList{"1", "x", "7", "", ""} << values("1", "x", false, "0", "0", U::Seconds) << 1 << 0 << 0;
        QTest::newRow("blank-led and text numbers") << QStringList{"1", "x", "1.0", "  7", "abc"}
                                                    << values("1", "x", true, "  7", "abc", U::Seconds) << 1 << 7 << 0;
        QTest::newRow("leading zeros") << QStringList{"1", "x", "0", "05", "007"}
                                       << values("1", "x", false, "05", "007", U::Seconds) << 1 << 5 << 7;
        QTest::newRow("halves round to even") << QStringList{"1", "x", "0", "2.5", "3.5"}
                                              << values("1", "x", false, "2.5", "3.5", U::Seconds) << 1 << 2 << 4;
        QTest::newRow("huge and negative counts")
            << QStringList{"1", "x", "0", "1e300", "-40"} << values("1", "x", false, "1e300", "-40", U::Seconds) << 1
            << kMax << 0;
        QTest::newRow("the last unit set wins") << QStringList{"1", "x", "0", "1", "3", "#TRUE#", "#FALSE#", "#TRUE#"}
                                                << values("1", "x", false, "1", "3", U::Hours) << 1 << 1 << 3;
        QTest::newRow("unreadable units: seconds") << QStringList{"1", "x", "0", "1", "3", "yes", "no", "maybe"}
                                                   << values("1", "x", false, "1", "3", U::Seconds) << 1 << 1 << 3;
        QTest::newRow("units in any case") << QStringList{"1", "x", "0", "1", "3", "#false#", "#true#", "junk"}
                                           << values("1", "x", false, "1", "3", U::Minutes) << 1 << 1 << 3;
    }
    void fromFields()
    {
        QFETCH(QStringList, fields);
        QFETCH(Settings::Values, expected);
        QFETCH(int, picture);
        QFETCH(int, interval);
        QFETCH(int, duration);
        const Settings::Values v = Settings::fromFields(fields);
        QCOMPARE(v.background.text(), expected.background.text());
        QCOMPARE(v.fontName, expected.fontName);
        QCOMPARE(v.runAtLogon, expected.runAtLogon);
        QCOMPARE(v.interval.text(), expected.interval.text());
        QCOMPARE(v.duration.text(), expected.duration.text());
        QCOMPARE(int(v.unit), int(expected.unit));
        QCOMPARE(v.picture().value_or(0), picture);
        QCOMPARE(v.interval.count(), interval);
        QCOMPARE(v.duration.count(), duration);
    }

    // The record the program writes keeps the bytes it has always had, and
    // reads back as the same values.
    void savedBytesAndRoundTrip_data()
    {
        using U = Settings::Unit;
        QTest::addColumn<Settings::Values>("v");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("first start") << values("1", kSans, false, "5", "10", U::Seconds)
                                     << QByteArray(
                                            "\"1\",\"MS Sans Serif\",\"0\",\"5\",\"10\",#TRUE#,#FALSE#,#FALSE#\r\n");
        QTest::newRow("hours, at logon") << values("6", "Tahoma", true, "59", "3", U::Hours)
                                         << QByteArray(
                                                "\"6\",\"Tahoma\",\"1\",\"59\",\"3\",#FALSE#,#FALSE#,#TRUE#\r\n");
        // The numbers go back as they were typed or read, not as counted.
        QTest::newRow("leading zeros and a half")
            << values("1", kSans, false, "05", "2.5", U::Seconds)
            << QByteArray("\"1\",\"MS Sans Serif\",\"0\",\"05\",\"2.5\",#TRUE#,#FALSE#,#FALSE#\r\n");
        QTest::newRow("a background none of the six")
            << values("7", kSans, false, "5", "10", U::Seconds)
            << QByteArray("\"7\",\"MS Sans Serif\",\"0\",\"5\",\"10\",#TRUE#,#FALSE#,#FALSE#\r\n");
        QTest::newRow("an Arabic face name") << values("2", QStringLiteral("خط"), false, "1", "3", U::Minutes)
                                             << (QByteArray("\"2\",\"") + QStringLiteral("خط").toUtf8()
                                                 + "\",\"0\",\"1\",\"3\",#FALSE#,#TRUE#,#FALSE#\r\n");
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
        // A number that is none of the six changes nothing; an empty face is
        // the default one.
        s.setBackground(9);
        QCOMPARE(s.values().picture(), std::optional<int>(4));
        s.setFontName(QStringLiteral("Tahoma"));
        s.setFontName(QString());
        QCOMPARE(s.values().fontName, Settings::defaultFontName());
        QCOMPARE(changed.count(), 3);
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
