#include "core/settings/NumericValue.h"
#include "core/settings/Rounding.h"

#include <QTest>

#include <cmath>
#include <limits>

class TestNumericValue : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void value_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("plain") << "5" << 5.0;
        QTest::newRow("two digits") << "59" << 59.0;
        QTest::newRow("leading blanks") << "   7" << 7.0;
        QTest::newRow("leading tab") << "\t3" << 3.0;
        QTest::newRow("stops at letter") << "12abc" << 12.0;
        QTest::newRow("stops at inner blank") << "5 6" << 5.0;
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("fraction") << "1.5" << 1.5;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("trailing point") << "3." << 3.0;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("negative") << "-3" << -3.0;
        QTest::newRow("plus") << "+4" << 4.0;
        QTest::newRow("lone sign") << "-" << 0.0;
        QTest::newRow("lone point") << "." << 0.0;
        QTest::newRow("exponent") << "1e2" << 100.0;
        QTest::newRow("exponent without digits") << "5e" << 5.0;
        QTest::newRow("exponent sign only") << "5e+" << 5.0;
        QTest::newRow("hex prefix is a zero") << "0x10" << 0.0;
        QTest::newRow("basic hex") << "&H10" << 0.0;
        QTest::newRow("inf") << "inf" << 0.0;
        QTest::newRow("nan") << "nan" << 0.0;
        QTest::newRow("arabic-indic digits") << "٥" << 0.0;
        QTest::newRow("blank then sign") << "  -0.5x" << -0.5;
        QTest::newRow("1e300") << "1e300" << 1e300;
        QTest::newRow("-1e300") << "-1e300" << -1e300;
        QTest::newRow("underflow is about 0") << "1e-400" << 0.0;
        QTest::newRow("underflow with many digits") << "123456789e-400" << 0.0;
        QTest::newRow("small fraction underflows") << "0.0001e-330" << 0.0;
        QTest::newRow("overflow") << "1e400" << 1e308;
        QTest::newRow("negative overflow") << "-1e400" << -1e308;
        QTest::newRow("huge exponent") << "1e99999999999999999999" << 1e308;
        QTest::newRow("40 digits") << "1234567890123456789012345678901234567890" << 1.2345678901234568e39;
    }
    void value()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(numericValue(text), expected);
    }

    void hugeValuesStayOrdered()
    {
        QVERIFY(numericValue(QStringLiteral("1e999")) > 59);
        QVERIFY(numericValue(QStringLiteral("-1e999")) < 1);
    }

    void rounding_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("0.5 to even 0") << 0.5 << qint64(0);
        QTest::newRow("1.5 to even 2") << 1.5 << qint64(2);
        QTest::newRow("2.5 to even 2") << 2.5 << qint64(2);
        QTest::newRow("3.5 to even 4") << 3.5 << qint64(4);
        QTest::newRow("58.5 to even 58") << 58.5 << qint64(58);
        QTest::newRow("below half") << 2.4999 << qint64(2);
        QTest::newRow("above half") << 2.5001 << qint64(3);
        QTest::newRow("negative half") << -1.5 << qint64(-2);
        QTest::newRow("negative half even") << -2.5 << qint64(-2);
        QTest::newRow("whole") << 7.0 << qint64(7);
        QTest::newRow("1e300 saturates") << 1e300 << std::numeric_limits<qint64>::max();
        QTest::newRow("-1e300 saturates") << -1e300 << std::numeric_limits<qint64>::min();
        QTest::newRow("2^63 saturates") << 9223372036854775808.0 << std::numeric_limits<qint64>::max();
        QTest::newRow("nan") << std::nan("") << qint64(0);
    }
    void rounding()
    {
        QFETCH(double, value);
        QFETCH(qint64, expected);
        QCOMPARE(qint64(roundHalfEven(value)), expected);
    }
};

QTEST_GUILESS_MAIN(TestNumericValue)
#include "tst_numericvalue.moc"
