#include "core/Connectivity.h"

namespace Connectivity {

bool anyInterfaceOnline(const QList<Interface> &interfaces)
{
    for (const Interface &i : interfaces) {
        if (!i.up || !i.running || i.loopback)
            continue;
        for (const QHostAddress &a : i.addresses) {
            if (!a.isLinkLocal() && !a.isLoopback() && !a.isNull())
                return true;
        }
    }
    return false;
}

bool online(QNetworkInformation::Reachability service, bool serviceHeard, bool interfacesOnline)
{
    using Reach = QNetworkInformation::Reachability;
    if (service == Reach::Unknown || (!serviceHeard && service == Reach::Disconnected))
        return interfacesOnline;
    return interfacesOnline && service == QNetworkInformation::Reachability::Online;
}

} // namespace Connectivity
