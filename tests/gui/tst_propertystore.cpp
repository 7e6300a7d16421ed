#include "controls/PropertyStore.h"

#include <QFont>
#include <QPixmap>
#include <QTest>

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
        QCOMPARE(s.read(QStringLiteral("Caption"), QStringLiteral("Tavrel Quiss")).toString(), QStringLiteral("Tavrel Quiss"));
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

    void fontsAndPictures()
    {
        PropertyStore s;
        QFont ambient(QStringLiteral("Noto Sans"), 9);
        s.write(QStringLiteral("Font"), ambient, ambient);
        QVERIFY(!s.contains(QStringLiteral("Font")));
        QFont other(QStringLiteral("MS Sans Serif"));
        other.setPointSizeF(8.25);
        s.write(QStringLiteral("Font"), other, ambient);
        QCOMPARE(s.read(QStringLiteral("font"), ambient).value<QFont>(), other);

        s.write(QStringLiteral("MouseIcon"), QPixmap(), QPixmap());
        QVERIFY(!s.contains(QStringLiteral("MouseIcon")));
    }
};

QTEST_MAIN(TestPropertyStore)
#include "tst_propertystore.moc"
