#include "core/Catalogue.h"

#include <QTest>
#include <array>

namespace {
// UTF-16 length of every entry, in order: a copy slip shows here.
constexpr std::array<int, 128> kLengths = {
    21, 55, 36, 54, 126, 175, 98, 63, 115, 103, 92, 222, 65, 176, 196, 48,
    118, 71, 199, 169, 206, 154, 96, 174, 56, 64, 41, 49, 38, 73, 85, 61,
    24, 106, 103, 93, 128, 37, 134, 108, 126, 105, 117, 72, 42, 180, 199, 59,
    79, 209, 144, 98, 193, 112, 107, 151, 127, 58, 177, 143, 116, 102, 52, 183,
    65, 26, 114, 77, 82, 115, 137, 91, 116, 77, 43, 178, 63, 63, 134, 130,
    81, 72, 135, 59, 80, 49, 125, 55, 74, 84, 73, 46, 61, 107, 61, 142,
    78, 139, 63, 92, 79, 52, 109, 75, 140, 150, 170, 84, 143, 96, 162, 127,
    146, 121, 133, 134, 160, 105, 180, 105, 71, 122, 78, 104, 128, 132, 93, 78,
};
} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyEntryHasItsLength()
    {
        const Catalogue c;
        QCOMPARE(c.size(), Catalogue::Size);
        for (int i = 0; i < Catalogue::Size; ++i) {
            QVERIFY2(c.entry(i).size() == kLengths[i], qPrintable(QStringLiteral("entry %1").arg(i)));
        }
    }

    void entriesAsStored()
    {
        const Catalogue c;
        QCOMPARE(c.entry(0), QStringLiteral("الحمد لله رب العالمين"));
        QCOMPARE(c.entry(32), QStringLiteral("لا حول ولا قوة إلا بالله"));
        QCOMPARE(c.entry(59), c.entry(108));
        QVERIFY(c.entry(3) != c.entry(87));
        // Leading and trailing blanks are kept.
        QVERIFY(c.entry(127).startsWith(QLatin1Char(' ')));
        QVERIFY(c.entry(127).endsWith(QLatin1Char(' ')));
        QVERIFY(c.entry(39).startsWith(QLatin1Char(' ')));
        QVERIFY(c.entry(70).contains(QStringLiteral("(*)")));
        // Entry 6 ends in a doubled fatha.
        QVERIFY(c.entry(6).endsWith(QStringLiteral("\u064E\u064E")));
    }

    void lookUp_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("index"); // -1: nothing selected
        QTest::newRow("0") << "0" << 0;
        QTest::newRow("5") << "5" << 5;
        QTest::newRow("127") << "127" << 127;
        QTest::newRow("leading zero") << "05" << -1;
        QTest::newRow("leading blank") << " 5" << -1;
        QTest::newRow("trailing blank") << "5 " << -1;
        QTest::newRow("past the end") << "128" << -1;
        QTest::newRow("negative") << "-1" << -1;
        QTest::newRow("plus sign") << "+5" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("design-time text") << "Text1" << -1;
    }
    void lookUp()
    {
        QFETCH(QString, key);
        QFETCH(int, index);
        const Catalogue c;
        const auto found = c.lookUp(key);
        QCOMPARE(found.has_value(), index >= 0);
        if (index >= 0)
            QCOMPARE(*found, c.entry(index));
    }

    void picksAreEvenlySpread()
    {
        // Successive clock readings as seeds, as successive screens see them.
        constexpr int draws = 128 * 200;
        std::array<int, 128> counts{};
        const quint64 start = 1'765'000'000'000ULL;
        for (int i = 0; i < draws; ++i) {
            const int index = Catalogue::pick(start + quint64(i) * 997);
            QVERIFY(index >= 0 && index < 128);
            ++counts[index];
        }
        double chi2 = 0;
        for (int n : counts) {
            QVERIFY(n > 0);
            chi2 += (n - 200.0) * (n - 200.0) / 200.0;
        }
        // 127 degrees of freedom: the 99.9th percentile is about 181.
        QVERIFY2(chi2 < 181, qPrintable(QString::number(chi2)));
    }

    void seedsFromTheClockDiffer()
    {
        QVERIFY(Catalogue::seedFromClock() != Catalogue::seedFromClock());
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
