#include "core/system/DisplayChoice.h"

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
        // What comes of it: "x11", "warn", "missing", "no display" or "" (the toolkit's own choice).
        QTest::addColumn<QString>("outcome");
        const QByteArray none;
        const auto row = [](const char *name) { return &QTest::newRow(name); };
        *row("X11 session") << QByteArray("x11") << none << QByteArray(":0") << none << true << "";
        *row("X11 session, no Wayland plugin") << QByteArray("x11") << none << QByteArray(":0") << none << false << "";
        *row("Wayland with XWayland") << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray(":0") << none
                                      << true << "x11";
        *row("Wayland with XWayland, no Wayland plugin")
            << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray(":0") << none << false << "x11";
        *row("Wayland socket only, session type unset")
            << none << QByteArray("wayland-0") << QByteArray(":1") << none << true << "x11";
        *row("Wayland without X11") << QByteArray("wayland") << QByteArray("wayland-0") << none << none << true
                                    << "warn";
        *row("Wayland without X11, no Wayland plugin")
            << QByteArray("wayland") << QByteArray("wayland-0") << none << none << false << "missing";
        *row("Wayland socket only, no X11, no Wayland plugin")
            << none << QByteArray("/run/user/1000/wayland-0") << none << none << false << "missing";
        *row("Wayland session type only") << QByteArray("Wayland ") << none << none << none << true << "no display";
        *row("user chose wayland") << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray(":0")
                                   << QByteArray("wayland") << true << "";
        *row("user chose wayland, no Wayland plugin")
            << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray(":0") << QByteArray("wayland") << false
            << "missing";
        *row("user chose wayland-egl with options, no Wayland plugin")
            << none << none << QByteArray(":0") << QByteArray("wayland-egl:foo=1") << false << "missing";
        *row("user chose wayland then xcb, no Wayland plugin")
            << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray(":0") << QByteArray("wayland;xcb")
            << false << "";
        *row("user chose offscreen") << QByteArray("wayland") << QByteArray("wayland-0") << none
                                     << QByteArray("offscreen") << true << "";
        *row("user chose offscreen, nothing set") << none << none << none << QByteArray("offscreen") << false << "";
        *row("user chose xcb without DISPLAY")
            << QByteArray("wayland") << QByteArray("wayland-0") << none << QByteArray("xcb") << true << "no display";
        *row("tty, nothing") << QByteArray("tty") << none << none << none << false << "no display";
        *row("nothing at all") << none << none << none << none << true << "no display";
    }

    void choose()
    {
        QFETCH(QByteArray, session);
        QFETCH(QByteArray, wayland);
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, platform);
        QFETCH(bool, plugin);
        QFETCH(QString, outcome);
        const DisplayChoice c = chooseDisplay(session, wayland, display, platform, plugin);
        QStringList said;
        if (c.useX11)
            said << QStringLiteral("x11");
        if (c.warnWayland)
            said << QStringLiteral("warn");
        if (c.waylandMissing)
            said << QStringLiteral("missing");
        if (c.noDisplay)
            said << QStringLiteral("no display");
        QCOMPARE(said.join(QLatin1Char(' ')), outcome);
    }
};

QTEST_GUILESS_MAIN(TestDisplayChoice)
#include "tst_displaychoice.moc"
