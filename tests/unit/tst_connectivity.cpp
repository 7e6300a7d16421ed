#include "core/Connectivity.h"

#include <QTest>

using Connectivity::Interface;
using Reach = QNetworkInformation::Reachability;

class TestConnectivity : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void interfaces_data()
    {
        QTest::addColumn<QList<Interface>>("table");
        QTest::addColumn<bool>("online");
        const QHostAddress lan(QStringLiteral("192.168.1.5"));
        const QHostAddress v6(QStringLiteral("2001:db8::5"));
        const QHostAddress linkV4(QStringLiteral("169.254.3.4"));
        const QHostAddress linkV6(QStringLiteral("fe80::1"));
        QTest::newRow("none") << QList<Interface>{} << false;
        QTest::newRow("loopback only") << QList<Interface>{{true, true, true, {QHostAddress::LocalHost}}} << false;
        QTest::newRow("up with an address") << QList<Interface>{{true, true, false, {linkV6, lan}}} << true;
        QTest::newRow("IPv6 only") << QList<Interface>{{true, true, false, {linkV6, v6}}} << true;
        QTest::newRow("link-local only") << QList<Interface>{{true, true, false, {linkV4, linkV6}}} << false;
        QTest::newRow("down") << QList<Interface>{{false, false, false, {lan}}} << false;
        QTest::newRow("up, no carrier") << QList<Interface>{{true, false, false, {lan}}} << false;
        QTest::newRow("one of two") << QList<Interface>{{true, true, false, {linkV6}}, {true, true, false, {lan}}} << true;
    }
    void interfaces()
    {
        QFETCH(QList<Interface>, table);
        QFETCH(bool, online);
        QCOMPARE(Connectivity::anyInterfaceOnline(table), online);
    }

    void service_data()
    {
        QTest::addColumn<Reach>("service");
        QTest::addColumn<bool>("table");
        QTest::addColumn<bool>("online");
        QTest::newRow("on-line") << Reach::Online << true << true;
        QTest::newRow("a LAN without the internet") << Reach::Site << true << false;
        QTest::newRow("local only") << Reach::Local << true << false;
        QTest::newRow("disconnected") << Reach::Disconnected << true << false;
        QTest::newRow("service unsure, table on-line") << Reach::Unknown << true << true;
        QTest::newRow("service unsure, table off-line") << Reach::Unknown << false << false;
    }
    void service()
    {
        QFETCH(Reach, service);
        QFETCH(bool, table);
        QFETCH(bool, online);
        QCOMPARE(Connectivity::online(service, table), online);
    }
};

QTEST_GUILESS_MAIN(TestConnectivity)
#include "tst_connectivity.moc"
