#include "net/InterfaceTable.h"

#include <QNetworkInterface>

namespace InterfaceTable {

bool routable(const QList<QHostAddress> &addresses)
{
    for (const QHostAddress &a : addresses) {
        if (!a.isLinkLocal() && !a.isLoopback() && !a.isNull())
            return true;
    }
    return false;
}

QList<Connectivity::Interface> read()
{
    QList<Connectivity::Interface> table;
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &i : interfaces) {
        const auto flags = i.flags();
        QList<QHostAddress> addresses;
        for (const QNetworkAddressEntry &entry : i.addressEntries())
            addresses.append(entry.ip());
        table.append({flags.testFlag(QNetworkInterface::IsUp), flags.testFlag(QNetworkInterface::IsRunning),
                      flags.testFlag(QNetworkInterface::IsLoopBack), routable(addresses)});
    }
    return table;
}

} // namespace InterfaceTable
