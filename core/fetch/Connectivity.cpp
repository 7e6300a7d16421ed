#include "core/fetch/Connectivity.h"

namespace Connectivity {

bool anyInterfaceOnline(const QList<Interface> &interfaces)
{
    for (const Interface &i : interfaces) {
        if (i.up && i.running && !i.loopback && i.routable)
            return true;
    }
    return false;
}

bool online(Reach service, bool serviceHeard, bool interfacesOnline)
{
    if (service == Reach::Unknown || (!serviceHeard && service == Reach::Disconnected))
        return interfacesOnline;
    return interfacesOnline && service == Reach::Online;
}

} // namespace Connectivity
