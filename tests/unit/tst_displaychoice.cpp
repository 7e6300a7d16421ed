#include "core/DisplayChoice.h"

#include <QTest>

class TestDisplayChoice : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void choose_data()
    {
        QTest::addColumn<QByteArray>("session");
        QTest::addColumn<QByteArray>("wayland");
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("platform");
        QTest::addColumn<bool>("plugin");
        QTest::addColumn<bool>("useX11");
        QTest::addColumn<bool>("warn");
        QTest::addColumn<bool>("missing");
        const QByteArray none;
        QTest::newRow("X11 session") << QByteArray("x11") << none << QByteArray(":0") << none << true << false << false
                                     << false;
        QTest::newRow("X11 session, no Wayland plugin")
            << QByteArray("x11") << none << QByteArray(":0") << none << false << false << false << false;
        QTest::newRow("Wayland with XWayland") << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray(":0")
                                               << none << true << true << false << false;
        QTest::newRow("Wayland with XWayland, no Wayland plugin")
            << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray(":0") << none << false << true << false
            << false;
        QTest::newRow("Wayland socket only, session type unset")
            << none << QByteArray("wayland-0") << QByteArray(":1") << none << true << true << false << false;
        QTest::newRow("Wayland without X11")
            << QByteArray("wayland") << QByteArray("wayland-0") << none << none << true << false << true << false;
        QTest::newRow("Wayland without X11, no Wayland plugin")
            << QByteArray("wayland") << QByteArray("wayland-0") << none << none << false << false << false << true;
        QTest::newRow("Wayland socket only, no X11, no Wayland plugin")
            << none << QByteArray("/run/user/1000/wayland-0") << none << none << false << false << false << true;
        QTest::newRow("Wayland session type only, no Wayland plugin")
            << QByteArray("Wayland ") << none << none << none << false << false << false << true;
        QTest::newRow("user chose wayland") << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray(":0")
                                            << QByteArray("wayland") << true << false << false << false;
        QTest::newRow("user chose wayland, no Wayland plugin")
            << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray(":0") << QByteArray("wayland") << false
            << false << false << true;
        QTest::newRow("user chose wayland-egl with options, no Wayland plugin")
            << none << none << QByteArray(":0") << QByteArray("wayland-egl:foo=1") << false << false << false << true;
        QTest::newRow("user chose wayland then xcb, no Wayland plugin")
            << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray(":0") << QByteArray("wayland;xcb")
            << false << false << false << false;
        QTest::newRow("user chose offscreen") << QByteArray("wayland") << QByteArray("wayland-0") << none
                                              << QByteArray("offscreen") << true << false << false << false;
        QTest::newRow("user chose offscreen, no Wayland plugin")
            << QByteArray("wayland") << QByteArray("wayland-0") << none << QByteArray("offscreen") << false << false
            << false << false;
        QTest::newRow("tty, nothing") << QByteArray("tty") << none << none << none << false << false << false << false;
    }

    void choose()
    {
        QFETCH(QByteArray, session);
        QFETCH(QByteArray, wayland);
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, platform);
        QFETCH(bool, plugin);
        const DisplayChoice c = chooseDisplay(session, wayland, display, platform, plugin);
        QTEST(c.useX11, "useX11");
        QTEST(c.warnWayland, "warn");
        QTEST(c.waylandMissing, "missing");
    }
};

QTEST_GUILESS_MAIN(TestDisplayChoice)
#include "tst_displaychoice.moc"
