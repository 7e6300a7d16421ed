#pragma once

#include <QHostAddress>
#include <QList>
#include <QNetworkInformation>

// Whether the machine is on-line, decided from what the system tells.
namespace Connectivity {

// One network interface as the interface table shows it.
struct Interface
{
    bool up = false;
    bool running = false;
    bool loopback = false;
    QList<QHostAddress> addresses;
};

// Some interface that is up, running, not the loopback, and has an
// address beyond its own link: a link-local address alone (what a cable
// to nowhere, or a network without a router, leaves) reaches nothing.
bool anyInterfaceOnline(const QList<Interface> &interfaces);

// The system's network service knows better than the table when it knows:
// only its "on-line" counts; a local network or site without the internet
// does not. When it does not know, the table decides.
bool online(QNetworkInformation::Reachability service, bool interfacesOnline);

} // namespace Connectivity
