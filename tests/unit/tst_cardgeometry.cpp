#include "core/card/CardGeometry.h"
#include "core/hold/FullScreenRule.h"

#include <QTest>

using Corner = CardGeometry::Corner;
using Size = CardGeometry::Size;
Q_DECLARE_METATYPE(Corner)
Q_DECLARE_METATYPE(Size)

namespace {
// A monitor away from the origin, at the right of a 1024 px wide one.
const QRect kSecond(1024, 0, 1280, 800);
} // namespace

// Where the full-height card lands (in pixels) for a screen and its
// available area, in each corner and at each size.
class TestCardGeometry : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fullHeightCard_data()
    {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<Corner>("corner");
        QTest::addColumn<Size>("size");
        QTest::addColumn<QRect>("card");
        const QRect single(0, 0, 1024, 768);
        const Corner br = Corner::BottomRight;
        const Size normal = Size::Normal;
        // 237 x 187: 3555 x 2800 twips. Right edge 100 twips (7 px) in, bottom
        // 500 twips (33 px) up.
        QTest::newRow("one screen, no panel") << single << single << br << normal << QRect(780, 548, 237, 187);
        QTest::newRow("a 24 px panel fits in the gap")
            << single << QRect(0, 0, 1024, 744) << br << normal << QRect(780, 548, 237, 187);
        QTest::newRow("a 48 px bottom panel")
            << single << QRect(0, 0, 1024, 720) << br << normal << QRect(780, 533, 237, 187);
        QTest::newRow("a panel at the right")
            << single << QRect(0, 0, 960, 768) << br << normal << QRect(723, 548, 237, 187);
        QTest::newRow("a panel at the top changes nothing")
            << single << QRect(0, 48, 1024, 720) << br << normal << QRect(780, 548, 237, 187);
        QTest::newRow("primary on the right")
            << QRect(1024, 0, 1024, 768) << QRect(1024, 0, 1024, 768) << br << normal << QRect(1804, 548, 237, 187);
        QTest::newRow("primary below, panel on it")
            << QRect(0, 768, 1280, 800) << QRect(0, 768, 1280, 752) << br << normal << QRect(1036, 1333, 237, 187);
        QTest::newRow("available area unknown") << single << QRect() << br << normal << QRect(780, 548, 237, 187);
        QTest::newRow("work area spanning both monitors")
            << QRect(1024, 0, 1024, 768) << QRect(0, 0, 2048, 720) << br << normal << QRect(1804, 533, 237, 187);

        // A second monitor at x 1024: the gaps mirrored in the other corners.
        const QRect second = kSecond;
        QTest::newRow("top left") << second << second << Corner::TopLeft << normal << QRect(1031, 33, 237, 187);
        QTest::newRow("top left, a 48 px panel at the left")
            << second << QRect(1072, 0, 1232, 800) << Corner::TopLeft << normal << QRect(1072, 33, 237, 187);
        QTest::newRow("top left, a 48 px panel at the top")
            << second << QRect(1024, 48, 1280, 752) << Corner::TopLeft << normal << QRect(1031, 48, 237, 187);
        QTest::newRow("top right, a 48 px panel at the right")
            << second << QRect(1024, 0, 1232, 800) << Corner::TopRight << normal << QRect(2019, 33, 237, 187);
        QTest::newRow("bottom left, a 48 px bottom panel")
            << second << QRect(1024, 0, 1280, 752) << Corner::BottomLeft << normal << QRect(1031, 565, 237, 187);
        QTest::newRow("bottom left, a panel at the top changes nothing")
            << second << QRect(1024, 48, 1280, 752) << Corner::BottomLeft << normal << QRect(1031, 580, 237, 187);

        // The sizes: 80, 125 and 150 in a hundred of the card and of its step.
        QTest::newRow("small") << single << single << br << Size::Small << QRect(828, 586, 190, 149);
        QTest::newRow("large") << single << single << br << Size::Large << QRect(721, 502, 296, 233);
        QTest::newRow("larger") << single << single << br << Size::Larger << QRect(662, 455, 355, 280);
        QTest::newRow("larger, top left, a panel at the left")
            << second << QRect(1072, 0, 1232, 800) << Corner::TopLeft << Size::Larger << QRect(1072, 33, 355, 280);
        // 320 x 240 holds the card at 128 in a hundred, and the gaps give way.
        QTest::newRow("larger on a monitor too small for it")
            << QRect(0, 0, 320, 240) << QRect(0, 0, 320, 240) << br << Size::Larger << QRect(10, 0, 303, 239);
    }

    void fullHeightCard()
    {
        QFETCH(QRect, screen);
        QFETCH(QRect, available);
        QFETCH(Corner, corner);
        QFETCH(Size, size);
        QFETCH(QRect, card);
        const int percent = CardGeometry::fittingPercent(available, CardGeometry::percent(size));
        const CardGeometry::Twips t =
            CardGeometry::place(screen, available, CardGeometry::fullHeight(percent), corner, percent);
        QCOMPARE(CardGeometry::toPixels(t), card);
        QVERIFY(available.isEmpty() || available.intersected(screen).contains(CardGeometry::toPixels(t)));
    }

    // Every corner at every size with a panel on each side of a monitor
    // away from the origin: the card lies in the work area, against the
    // corner's two edges (no further than the gaps, 7 and 34 px), at its
    // size's share of the normal 237 x 187.
    void everyCornerSizeAndPanel_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<Corner>("corner");
        QTest::addColumn<Size>("size");
        const QRect screen = kSecond;
        const QMargins panels[] = {{48, 0, 0, 0}, {0, 48, 0, 0}, {0, 0, 48, 0}, {0, 0, 0, 48}};
        const char *sides[] = {"left", "top", "right", "bottom"};
        const char *corners[] = {"bottom right", "bottom left", "top right", "top left"};
        const char *sizes[] = {"small", "normal", "large", "larger"};
        for (int p = 0; p < 4; ++p) {
            for (int c = 0; c < 4; ++c) {
                for (int s = 0; s < 4; ++s)
                    QTest::addRow("%s, %s, panel %s", corners[c], sizes[s], sides[p])
                        << screen.marginsRemoved(panels[p]) << Corner(c) << Size(s);
            }
        }
    }

    void everyCornerSizeAndPanel()
    {
        QFETCH(QRect, available);
        QFETCH(Corner, corner);
        QFETCH(Size, size);
        const int percent = CardGeometry::percent(size);
        const QRect card = CardGeometry::toPixels(
            CardGeometry::place(kSecond, available, CardGeometry::fullHeight(percent), corner, percent));
        QVERIFY(available.contains(card));
        const bool right = corner == Corner::BottomRight || corner == Corner::TopRight;
        const bool top = corner == Corner::TopRight || corner == Corner::TopLeft;
        const int side = right ? available.right() - card.right() : card.left() - available.left();
        const int end = top ? card.top() - available.top() : available.bottom() - card.bottom();
        QVERIFY2(side >= 0 && side <= 7, qPrintable(QString::number(side)));
        QVERIFY2(end >= 0 && end <= 34, qPrintable(QString::number(end)));
        QVERIFY(qAbs(card.width() - 237 * percent / 100) <= 1);
        QVERIFY(qAbs(card.height() - 187 * percent / 100) <= 1);
    }

    // Ticks until each slide ends, from a card placed at height 0 (up) or
    // from where the slide up ended (down), and the height it ends at; the
    // edge nearest the screen's stays where it is in twips and in pixels.
    void slides_data()
    {
        QTest::addColumn<bool>("up");
        QTest::addColumn<Corner>("corner");
        QTest::addColumn<Size>("size");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("endHeight");
        QTest::newRow("up: 28 ticks, past the full height")
            << true << Corner::BottomRight << Size::Normal << 28 << 2800;
        QTest::newRow("down: 28 ticks, to nothing") << false << Corner::BottomRight << Size::Normal << 28 << 0;
        QTest::newRow("top corner, down from the top") << true << Corner::TopLeft << Size::Normal << 28 << 2800;
        QTest::newRow("top corner, back up") << false << Corner::TopRight << Size::Normal << 28 << 0;
        QTest::newRow("small, up") << true << Corner::BottomLeft << Size::Small << 28 << 2240;
        QTest::newRow("small, top, away") << false << Corner::TopLeft << Size::Small << 28 << 0;
        QTest::newRow("large, top, in") << true << Corner::TopRight << Size::Large << 28 << 3500;
        QTest::newRow("larger, up") << true << Corner::BottomRight << Size::Larger << 28 << 4200;
        QTest::newRow("larger, down") << false << Corner::BottomRight << Size::Larger << 28 << 0;
    }
    void slides()
    {
        QFETCH(bool, up);
        QFETCH(Corner, corner);
        QFETCH(Size, size);
        QFETCH(int, ticks);
        QFETCH(int, endHeight);
        const QRect screen(0, 0, 1024, 768);
        CardGeometry::Twips t = CardGeometry::place(screen, screen, 0, corner, CardGeometry::percent(size));
        if (!up) {
            while (!CardGeometry::slideUp(t)) {
            }
        }
        const bool top = corner == Corner::TopRight || corner == Corner::TopLeft;
        auto fixedTwips = [&] { return top ? t.top : t.top + t.height; };
        auto fixedPixels = [&] {
            const QRect r = CardGeometry::toPixels(t);
            return top ? r.top() : r.bottom() + 1;
        };
        const int twips = fixedTwips();
        const int pixels = fixedPixels();
        int n = 0;
        bool ended = false;
        while (!ended && n < 100) {
            ended = up ? CardGeometry::slideUp(t) : CardGeometry::slideDown(t);
            ++n;
            QCOMPARE(fixedTwips(), twips);
            QCOMPARE(fixedPixels(), pixels);
        }
        QCOMPARE(n, ticks);
        QCOMPARE(t.height, endHeight);
    }

    void heightGrowsUpwardFromAFixedBottom()
    {
        const QRect screen(1024, 0, 1024, 768);
        const QRect bottomRow = CardGeometry::toPixels(CardGeometry::place(screen, screen, 2800));
        for (int h = 100; h <= 2800; h += 100)
            QCOMPARE(CardGeometry::toPixels(CardGeometry::place(screen, screen, h)).bottom(), bottomRow.bottom());
    }

    // Which monitor a card would be hidden on: the one the active window
    // fills full screen.
    void fullScreenMonitor_data()
    {
        QTest::addColumn<bool>("state");
        QTest::addColumn<bool>("framed");
        QTest::addColumn<bool>("desktopOrDock");
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QRect>("area");
        const QRect left(0, 0, 1920, 1080);
        const QRect right(1920, 0, 1280, 1024);
        QTest::newRow("full screen by state, left") << true << false << false << left << left;
        QTest::newRow("full screen by state, right") << true << false << false << right << right;
        QTest::newRow("state, mostly on the right") << true << false << false << QRect(1900, 0, 1280, 1024) << right;
        QTest::newRow("unframed, covering the right monitor") << false << false << false << right << right;
        QTest::newRow("unframed, larger than the monitor")
            << false << false << false << QRect(-5, -5, 1930, 1090) << left;
        QTest::newRow("framed and maximised") << false << true << false << left << QRect();
        QTest::newRow("unframed, a pixel short") << false << false << false << QRect(0, 0, 1920, 1079) << QRect();
        QTest::newRow("the desktop's background") << false << false << true << left << QRect();
        QTest::newRow("a panel that claims full screen") << true << false << true << left << QRect();
        QTest::newRow("no window") << true << false << false << QRect() << QRect();
        QTest::newRow("off every monitor") << true << false << false << QRect(5000, 0, 800, 600) << QRect();
    }

    void fullScreenMonitor()
    {
        QFETCH(bool, state);
        QFETCH(bool, framed);
        QFETCH(bool, desktopOrDock);
        QFETCH(QRect, window);
        QFETCH(QRect, area);
        const ActiveWindowFacts facts{state, framed, desktopOrDock, window};
        QCOMPARE(fullScreenArea(facts, {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)}), area);
    }
};

QTEST_GUILESS_MAIN(TestCardGeometry)
#include "tst_cardgeometry.moc"
