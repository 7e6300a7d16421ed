#include "core/times/TimesSettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestTimesSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // What is written reads back the same, whatever the user's texts hold.
    void roundTrip_data()
    {
        QTest::addColumn<TimesSettings::Values>("values");
        QTest::newRow("as shipped") << TimesSettings::defaults();
        TimesSettings::Values v;
        v.graceMinutes = 30;
        TimedReminder e;
        e.name = QStringLiteral("الجمعة \\ [entry]\nname=x");
        e.time = QTime(13, 5);
        e.days = 0x10;
        e.texts = {TextKey::ofBuiltIn(0), TextKey::ofOwn(QStringLiteral("  سطر\\n\nو\tآخر\r\n")),
                   TextKey::ofBuiltIn(127)};
        e.enabled = true;
        e.untilClosed = true;
        e.lastShown = QDate(2026, 3, 2);
        TimedReminder never;
        never.days = 0;
        v.entries = {e, never};
        QTest::newRow("awkward texts, no days") << v;
        QTest::newRow("no entries at all") << TimesSettings::Values{};
    }
    void roundTrip()
    {
        QFETCH(TimesSettings::Values, values);
        const TimesSettings::Parsed parsed = TimesSettings::parse(TimesSettings::encode(values));
        QVERIFY(!parsed.damaged);
        QCOMPARE(parsed.values, values);
    }

    // A file this program did not write: what can be kept, and what is
    // refused whole (the defaults then).
    void foreignFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("damaged");
        QTest::addColumn<int>("texts"); // of the first entry, when not damaged
        QTest::newRow("unknown keys and a number past the catalogue")
            << QByteArray("later=1\n[entry]\ncolour=red\ntext=4\ntext=128\ntext=-1\ntext-own=\\q\n") << false << 1;
        QTest::newRow("not UTF-8") << QByteArray("[entry]\nname=\xff\n") << true << 0;
        QTest::newRow("a NUL") << QByteArray("[entry]\nname=a\0b\n", 16) << true << 0;
        QTest::newRow("a line that is no key") << QByteArray("[entry]\nhello\n") << true << 0;
        QTest::newRow("more entries than anyone sets")
            << QByteArray("[entry]\n").repeated(TimesSettings::EntryLimit + 1) << true << 0;
        QTest::newRow("a sequence longer than anyone sits through")
            << "[entry]\n" + QByteArray("text=1\n").repeated(TimesSettings::TextLimit + 1) << true << 0;
    }
    void foreignFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, damaged);
        QFETCH(int, texts);
        const TimesSettings::Parsed parsed = TimesSettings::parse(bytes);
        QCOMPARE(parsed.damaged, damaged);
        if (damaged)
            QCOMPARE(parsed.values, TimesSettings::defaults());
        else
            QCOMPARE(parsed.values.entries.first().texts.size(), texts);
    }

    // A damaged file goes aside as it was and is never written over.
    void damagedFileGoesAside()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QLatin1String(TimesSettings::FileName));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[entry]\nhello\n");
        f.close();
        TimesSettings settings(path);
        settings.load();
        QCOMPARE(settings.problem(), Store::Problem::Damaged);
        QCOMPARE(settings.values(), TimesSettings::defaults());
        QFile aside(settings.setAside());
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), QByteArray("[entry]\nhello\n"));
        QVERIFY(settings.save());
        settings.load();
        QCOMPARE(settings.problem(), Store::Problem::None);
    }
};

QTEST_GUILESS_MAIN(TestTimesSettings)
#include "tst_timessettings.moc"
