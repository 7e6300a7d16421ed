#include "controls/ButtonFace.h"
#include "controls/OleColor.h"

#include <QTest>

class TestOleColor : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void resolvePlainColours()
    {
        const QPalette pal;
        QCOMPARE(resolveColor(0x000000, pal), 0x000000u);
        QCOMPARE(resolveColor(0x123456, pal), 0x123456u);
        QCOMPARE(resolveColor(0xFFFFFF, pal), 0xFFFFFFu);
    }

    void resolveSystemColours_data()
    {
        QTest::addColumn<quint32>("ole");
        QTest::addColumn<int>("role");
        QTest::newRow("button face") << 0x8000000Fu << int(QPalette::Button);
        QTest::newRow("button text") << 0x80000012u << int(QPalette::ButtonText);
        QTest::newRow("window") << 0x80000005u << int(QPalette::Base);
        QTest::newRow("highlight") << 0x8000000Du << int(QPalette::Highlight);
        QTest::newRow("button highlight") << 0x80000014u << int(QPalette::Light);
        QTest::newRow("button shadow") << 0x80000010u << int(QPalette::Dark);
        QTest::newRow("high bits other than the flag") << 0x0100000Fu << int(QPalette::Button);
    }
    void resolveSystemColours()
    {
        QFETCH(quint32, ole);
        QFETCH(int, role);
        QPalette pal;
        // Distinct, recognisable colours for every role.
        for (int r = 0; r < QPalette::NColorRoles; ++r)
            pal.setColor(QPalette::ColorRole(r), QColor(r * 9, 255 - r * 9, 100 + r));
        QCOMPARE(resolveColor(ole, pal), fromQColor(pal.color(QPalette::Active, QPalette::ColorRole(role))));
    }

    void unknownSystemIndexIsBlack()
    {
        QCOMPARE(resolveColor(0x80000019u, QPalette(Qt::white)), 0u);
        QCOMPARE(resolveColor(0x800000FFu, QPalette(Qt::white)), 0u);
    }

    void split()
    {
        const Channels c = splitColor(0x123456);
        QCOMPARE(c.red, 0x56);
        QCOMPARE(c.green, 0x34);
        QCOMPARE(c.blue, 0x12);
    }

    void shade_data()
    {
        QTest::addColumn<quint32>("rgb");
        QTest::addColumn<int>("amount");
        QTest::addColumn<quint32>("expected");
        QTest::newRow("darken") << 0x808080u << 16 << 0x707070u;
        QTest::newRow("lighten") << 0x808080u << -16 << 0x909090u;
        QTest::newRow("clamp at 0") << 0x102030u << 40 << 0x000008u;
        QTest::newRow("clamp at 255") << 0xF0E0D0u << -40 << 0xFFFFF8u;
        QTest::newRow("channels independent") << 0x0000FFu << 1 << 0x0000FEu;
        QTest::newRow("zero") << 0xABCDEFu << 0 << 0xABCDEFu;
    }
    void shade()
    {
        QFETCH(quint32, rgb);
        QFETCH(int, amount);
        QFETCH(quint32, expected);
        QCOMPARE(shadeColor(rgb, qint16(amount)), expected);
    }

    void qcolorConversionKeepsRedLow()
    {
        QCOMPARE(toQColor(0x0000FF), QColor(255, 0, 0));
        QCOMPARE(fromQColor(QColor(0, 255, 0)), 0x00FF00u);
    }

    void faceColourTable_data()
    {
        QTest::addColumn<int>("look");
        QTest::addColumn<quint32>("base");
        QTest::addColumn<quint32>("outerLight");
        QTest::addColumn<quint32>("innerShadow");
        QTest::addColumn<bool>("stepUp");
        // Background 0x808080 (128 grey).
        QTest::newRow("normal") << int(ButtonLook::Normal) << 0x949494u << 0x9E9E9Eu << 0x5D5D5Du << true;
        QTest::newRow("hot") << int(ButtonLook::Hot) << 0x9E9E9Eu << 0xA8A8A8u << 0x676767u << true;
        QTest::newRow("pressed") << int(ButtonLook::Pressed) << 0x585858u << 0x3F3F3Fu << 0x5D5D5Du << false;
    }
    void faceColourTable()
    {
        QFETCH(int, look);
        QFETCH(quint32, base);
        QFETCH(quint32, outerLight);
        QFETCH(quint32, innerShadow);
        QFETCH(bool, stepUp);
        const FaceColors c = faceColors(0x808080, ButtonLook(look), 24);
        QCOMPARE(c.base, base);
        QCOMPARE(c.outerLight, outerLight);
        QCOMPARE(c.innerShadow, innerShadow);
        QCOMPARE(c.step > 0, stepUp);
        // Row 12 of a 25-pixel button shades by nearest(12 * 50 / 24) = 25.
        QCOMPARE(faceRowColor(c, 12), shadeColor(base, stepUp ? 25 : -25));
    }
};

QTEST_MAIN(TestOleColor)
#include "tst_olecolor.moc"
