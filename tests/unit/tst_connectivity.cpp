#include "core/fetch/Connectivity.h"
#include "net/InterfaceTable.h"

#include <QTest>

using Connectivity::Interface;
using Reach = Connectivity::Reach;

namespace {

// An interface as the table reads it from its flags and addresses.
Interface entry(bool up, bool running, bool loopback, const QList<QHostAddress> &addresses)
{
    return {up, running, loopback, InterfaceTable::routable(addresses)};
}

} // namespace

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
        QTest::newRow("loopback only") << QList<Interface>{entry(true, true, true, {QHostAddress::LocalHost})} << false;
        QTest::newRow("a loopback address elsewhere")
            << QList<Interface>{entry(true, true, false, {QHostAddress::LocalHostIPv6})} << false;
        QTest::newRow("up with an address") << QList<Interface>{entry(true, true, false, {linkV6, lan})} << true;
        QTest::newRow("IPv6 only") << QList<Interface>{entry(true, true, false, {linkV6, v6})} << true;
        QTest::newRow("link-local only") << QList<Interface>{entry(true, true, false, {linkV4, linkV6})} << false;
        QTest::newRow("down") << QList<Interface>{entry(false, false, false, {lan})} << false;
        QTest::newRow("up, no carrier") << QList<Interface>{entry(true, false, false, {lan})} << false;
        QTest::newRow("one of two") << QList<Interface>{entry(true, true, false, {linkV6}),
                                                        entry(true, true, false, {lan})}
                                    << true;
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
        QTest::addColumn<bool>("heard");
        QTest::addColumn<bool>("table");
        QTest::addColumn<bool>("online");
        QTest::newRow("on-line") << Reach::Online << true << true << true;
        QTest::newRow("a LAN without the internet") << Reach::Site << true << true << false;
        QTest::newRow("local only") << Reach::Local << true << true << false;
        QTest::newRow("disconnected") << Reach::Disconnected << true << true << false;
        QTest::newRow("service unsure, table on-line") << Reach::Unknown << true << true << true;
        QTest::newRow("service unsure, table off-line") << Reach::Unknown << true << false << false;
        QTest::newRow("on-line, table off-line") << Reach::Online << true << false << false;
        // Just loaded: the value it starts with is no answer yet.
        QTest::newRow("just loaded, unsure, table on-line") << Reach::Unknown << false << true << true;
        QTest::newRow("just loaded, unsure, table off-line") << Reach::Unknown << false << false << false;
        QTest::newRow("just loaded, disconnected, table on-line") << Reach::Disconnected << false << true << true;
        QTest::newRow("just loaded, disconnected, table off-line") << Reach::Disconnected << false << false << false;
        // What it already knows at loading is its own word.
        QTest::newRow("just loaded, on-line") << Reach::Online << false << true << true;
        QTest::newRow("just loaded, on-line, table off-line") << Reach::Online << false << false << false;
        QTest::newRow("just loaded, a LAN without the internet") << Reach::Site << false << true << false;
        QTest::newRow("just loaded, local only") << Reach::Local << false << true << false;
    }
    void service()
    {
        QFETCH(Reach, service);
        QFETCH(bool, heard);
        QFETCH(bool, table);
        QFETCH(bool, online);
        QCOMPARE(Connectivity::online(service, heard, table), online);
    }

    // Checks in a row, each with what the service and the table say then:
    // "-" the service is not loaded yet, "L" it is loaded by this check,
    // "R" it told of a change before this check.
    void checks_data()
    {
        QTest::addColumn<QString>("events");
        QTest::addColumn<QList<Reach>>("service");
        QTest::addColumn<QList<bool>>("table");
        QTest::addColumn<QList<bool>>("online");
        const Reach U = Reach::Unknown, D = Reach::Disconnected, O = Reach::Online, S = Reach::Site;
        QTest::newRow("table alone") << QStringLiteral("--") << QList<Reach>{D, D} << QList<bool>{true, false}
                                     << QList<bool>{true, false};
        QTest::newRow("loaded disconnected, then its answer")
            << QStringLiteral("L-") << QList<Reach>{D, O} << QList<bool>{true, true} << QList<bool>{true, true};
        QTest::newRow("loaded unsure, then its answer")
            << QStringLiteral("L-") << QList<Reach>{U, O} << QList<bool>{true, true} << QList<bool>{true, true};
        QTest::newRow("loaded, then really disconnected")
            << QStringLiteral("L-") << QList<Reach>{D, D} << QList<bool>{true, true} << QList<bool>{true, false};
        QTest::newRow("loaded, then a LAN only")
            << QStringLiteral("L-") << QList<Reach>{D, S} << QList<bool>{true, true} << QList<bool>{true, false};
        QTest::newRow("loaded off-line, told on-line")
            << QStringLiteral("LR") << QList<Reach>{D, O} << QList<bool>{false, true} << QList<bool>{false, true};
        QTest::newRow("told disconnected at once") << QStringLiteral("-LR") << QList<Reach>{D, D, D}
                                                   << QList<bool>{true, true, true} << QList<bool>{true, true, false};
    }
    void checks()
    {
        QFETCH(QString, events);
        QFETCH(QList<Reach>, service);
        QFETCH(QList<bool>, table);
        QFETCH(QList<bool>, online);
        Connectivity::Service seen;
        QList<bool> answers;
        for (qsizetype i = 0; i < events.size(); ++i) {
            if (events.at(i) == QLatin1Char('L'))
                seen.markLoaded();
            else if (events.at(i) == QLatin1Char('R'))
                seen.markReported();
            answers.append(seen.check(service.at(i), table.at(i)));
        }
        QCOMPARE(answers, online);
    }
};

QTEST_GUILESS_MAIN(TestConnectivity)
#include "tst_connectivity.moc"
