#include "controls/PropertyStore.h"

#include <QTest>

namespace {
// A value type without operator==, as a picture is.
struct Opaque
{
    int n = 0;
};
} // namespace

class TestPropertyStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void defaultIsNotWritten()
    {
        PropertyStore s;
        s.write(QStringLiteral("CaptionOffsetX"), 1, 1);
        QVERIFY(!s.contains(QStringLiteral("CaptionOffsetX")));
        QCOMPARE(s.read(QStringLiteral("CaptionOffsetX"), 1).toInt(), 1);
    }

    void nonDefaultIsWrittenAndRead()
    {
        PropertyStore s;
        s.write(QStringLiteral("CaptionOffsetX"), 0, 1);
        QVERIFY(s.contains(QStringLiteral("CaptionOffsetX")));
        QCOMPARE(s.read(QStringLiteral("CaptionOffsetX"), 1).toInt(), 0);
    }

    void keysAreCaseBlind()
    {
        PropertyStore s;
        s.write(QStringLiteral("RightToLeft"), true, false);
        QVERIFY(s.contains(QStringLiteral("righttoleft")));
        QCOMPARE(s.read(QStringLiteral("RIGHTTOLEFT"), false).toBool(), true);
        s.write(QStringLiteral("righttoleft"), true, false);
        QCOMPARE(s.keys(), QStringList{QStringLiteral("RightToLeft")});
    }

    void writingTheDefaultRemovesAnEarlierValue()
    {
        PropertyStore s;
        s.write(QStringLiteral("Caption"), QStringLiteral("OK"), QStringLiteral("Tavrel Quiss"));
        s.write(QStringLiteral("caption"), QStringLiteral("Tavrel Quiss"), QStringLiteral("Tavrel Quiss"));
        QVERIFY(s.isEmpty());
        QCOMPARE(s.read(QStringLiteral("Caption"), QStringLiteral("Tavrel Quiss")).toString(),
                 QStringLiteral("Tavrel Quiss"));
    }

    void keysKeepWriteOrder()
    {
        PropertyStore s;
        s.write(QStringLiteral("B"), 2, 0);
        s.write(QStringLiteral("A"), 1, 0);
        s.write(QStringLiteral("C"), 3, 0);
        s.write(QStringLiteral("b"), 5, 0);
        QCOMPARE(s.keys(), (QStringList{"B", "A", "C"}));
        QCOMPARE(s.read(QStringLiteral("B"), 0).toInt(), 5);
    }

    void whatCountsAsTheDefault_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QVariant>("defaultValue");
        QTest::addColumn<bool>("stored");
        QTest::newRow("equal numbers") << QVariant(7) << QVariant(7) << false;
        QTest::newRow("same number, other width") << QVariant(0xFFu) << QVariant(255) << false;
        QTest::newRow("other number") << QVariant(0) << QVariant(1) << true;
        QTest::newRow("empty, empty default") << QVariant() << QVariant() << false;
        QTest::newRow("value, empty default") << QVariant(0) << QVariant() << true;
        QTest::newRow("empty, value default") << QVariant() << QVariant(0) << true;
        QTest::newRow("empty text, empty default") << QVariant(QString()) << QVariant() << true;
        QTest::newRow("no equality, same content")
            << QVariant::fromValue(Opaque{1}) << QVariant::fromValue(Opaque{1}) << true;
        QTest::newRow("no equality, empty default") << QVariant::fromValue(Opaque{}) << QVariant() << true;
    }

    void whatCountsAsTheDefault()
    {
        QFETCH(QVariant, value);
        QFETCH(QVariant, defaultValue);
        QFETCH(bool, stored);
        PropertyStore s;
        s.write(QStringLiteral("Key"), value, defaultValue);
        QCOMPARE(s.contains(QStringLiteral("Key")), stored);
        QCOMPARE(s.read(QStringLiteral("Key"), defaultValue).metaType(), (stored ? value : defaultValue).metaType());
    }
};

QTEST_MAIN(TestPropertyStore)
#include "tst_propertystore.moc"
