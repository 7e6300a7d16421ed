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
        QTest::addColumn<bool>("useX11");
        QTest::addColumn<bool>("warn");
        QTest::newRow("X11 session") << QByteArray("x11") << QByteArray() << QByteArray(":0") << QByteArray()
                                     << false << false;
        QTest::newRow("Wayland with XWayland") << QByteArray("wayland") << QByteArray("wayland-0")
                                               << QByteArray(":0") << QByteArray() << true << false;
        QTest::newRow("Wayland socket only, session type unset")
            << QByteArray() << QByteArray("wayland-0") << QByteArray(":1") << QByteArray() << true << false;
        QTest::newRow("Wayland without X11") << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray()
                                             << QByteArray() << false << true;
        QTest::newRow("user chose wayland") << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray(":0")
                                            << QByteArray("wayland") << false << false;
        QTest::newRow("user chose offscreen") << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray()
                                              << QByteArray("offscreen") << false << false;
        QTest::newRow("tty, nothing") << QByteArray("tty") << QByteArray() << QByteArray() << QByteArray() << false
                                      << false;
    }

    void choose()
    {
        QFETCH(QByteArray, session);
        QFETCH(QByteArray, wayland);
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, platform);
        const DisplayChoice c = chooseDisplay(session, wayland, display, platform);
        QTEST(c.useX11, "useX11");
        QTEST(c.warnWayland, "warn");
    }
};

QTEST_GUILESS_MAIN(TestDisplayChoice)
#include "tst_displaychoice.moc"
