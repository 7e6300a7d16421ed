#include "core/card/CardGeometry.h"
#include "core/hold/FullScreenRule.h"

#include <QTest>

// Where the full-height card lands (in pixels) for a primary screen and its
// available area.
class TestCardGeometry : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fullHeightCard_data()
    {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("card");
        const QRect single(0, 0, 1024, 768);
        // 237 x 187: 3555 x 2800 twips. Right edge 100 twips (7 px) in, bottom
        // 500 twips (33 px) up.
        QTest::newRow("one screen, no panel") << single << single << QRect(780, 548, 237, 187);
        QTest::newRow("a 24 px panel fits in the gap") << single << QRect(0, 0, 1024, 744) << QRect(780, 548, 237, 187);
        QTest::newRow("a 48 px bottom panel") << single << QRect(0, 0, 1024, 720) << QRect(780, 533, 237, 187);
        QTest::newRow("a panel at the right") << single << QRect(0, 0, 960, 768) << QRect(723, 548, 237, 187);
        QTest::newRow("a panel at the top changes nothing")
            << single << QRect(0, 48, 1024, 720) << QRect(780, 548, 237, 187);
        QTest::newRow("primary on the right")
            << QRect(1024, 0, 1024, 768) << QRect(1024, 0, 1024, 768) << QRect(1804, 548, 237, 187);
        QTest::newRow("primary below, panel on it")
            << QRect(0, 768, 1280, 800) << QRect(0, 768, 1280, 752) << QRect(1036, 1333, 237, 187);
        QTest::newRow("available area unknown") << single << QRect() << QRect(780, 548, 237, 187);
        QTest::newRow("work area spanning both monitors")
            << QRect(1024, 0, 1024, 768) << QRect(0, 0, 2048, 720) << QRect(1804, 533, 237, 187);
    }

    void fullHeightCard()
    {
        QFETCH(QRect, screen);
        QFETCH(QRect, available);
        QFETCH(QRect, card);
        const CardGeometry::Twips t = CardGeometry::place(screen, available, 2800);
        QCOMPARE(CardGeometry::toPixels(t), card);
        QVERIFY(available.isEmpty() || available.intersected(screen).contains(CardGeometry::toPixels(t)));
    }

    // Ticks until each slide ends, from a card placed at height 0 (up) or
    // from where the slide up ended (down), and the height it ends at.
    void slides_data()
    {
        QTest::addColumn<bool>("up");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("endHeight");
        QTest::newRow("up: 28 ticks, past the full height") << true << 28 << 2800;
        QTest::newRow("down: 28 ticks, to nothing") << false << 28 << 0;
    }
    void slides()
    {
        QFETCH(bool, up);
        QFETCH(int, ticks);
        QFETCH(int, endHeight);
        const QRect screen(0, 0, 1024, 768);
        CardGeometry::Twips t = CardGeometry::place(screen, screen, 0);
        if (!up) {
            while (!CardGeometry::slideUp(t)) {
            }
        }
        const int bottom = t.top + t.height;
        int n = 0;
        bool ended = false;
        while (!ended && n < 100) {
            ended = up ? CardGeometry::slideUp(t) : CardGeometry::slideDown(t);
            ++n;
            QCOMPARE(t.top + t.height, bottom);
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
