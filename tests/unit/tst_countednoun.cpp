#include "core/hold/CountedNoun.h"

#include <QTest>

class TestCountedNoun : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The noun agrees with its number; past a hundred the last two digits
    // decide. One and two are said by the noun alone.
    void agreesWithItsNumber_data()
    {
        QTest::addColumn<qint64>("count");
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("days");
        QTest::newRow("0") << qint64(0) << "0 دقيقة"
                           << "0 يوم";
        QTest::newRow("1") << qint64(1) << "دقيقة"
                           << "يوم";
        QTest::newRow("2") << qint64(2) << "دقيقتان"
                           << "يومان";
        QTest::newRow("3") << qint64(3) << "3 دقائق"
                           << "3 أيام";
        QTest::newRow("10") << qint64(10) << "10 دقائق"
                            << "10 أيام";
        QTest::newRow("11") << qint64(11) << "11 دقيقة"
                            << "11 يوم";
        QTest::newRow("100") << qint64(100) << "100 دقيقة"
                             << "100 يوم";
        QTest::newRow("101") << qint64(101) << "101 دقيقة"
                             << "101 يوم";
        QTest::newRow("102") << qint64(102) << "102 دقيقتان"
                             << "102 يومان";
        QTest::newRow("103") << qint64(103) << "103 دقائق"
                             << "103 أيام";
        QTest::newRow("111") << qint64(111) << "111 دقيقة"
                             << "111 يوم";
        QTest::newRow("-3") << qint64(-3) << "-3 دقائق"
                            << "-3 أيام";
    }
    void agreesWithItsNumber()
    {
        QFETCH(qint64, count);
        QFETCH(QString, minutes);
        QFETCH(QString, days);
        QCOMPARE(withCount(count, Nouns::Minute), minutes);
        QCOMPARE(withCount(count, Nouns::Day), days);
        // The noun alone, as after a number the user types beside it.
        QVERIFY(minutes.endsWith(countedNoun(count, Nouns::Minute)));
    }
};

QTEST_GUILESS_MAIN(TestCountedNoun)
#include "tst_countednoun.moc"
