#pragma once

#include "core/fetch/ByteStream.h"
#include "core/fetch/Connectivity.h"

#include <QList>
#include <functional>
#include <memory>

// What the program asks of the network: connections for the downloads,
// the interface table and the system's network service for the connection
// checks. The classes that do it (and the libraries behind them) are a
// module of their own, loaded only once a server is to be reached: most
// installations have no server and never pay for them.
class NetworkKit
{
public:
    virtual ~NetworkKit() = default;

    virtual std::unique_ptr<ByteStream> makeStream() = 0;

    // The machine's network interfaces as the system lists them now.
    virtual QList<Connectivity::Interface> interfaces() const = 0;

    // Loads the system's network service; changed is called whenever it
    // tells of a change, for as long as the kit lives. False when there
    // is none to load (and changed is never called).
    virtual bool loadService(std::function<void()> changed) = 0;
    // What the loaded service says now; Unknown before it is loaded.
    virtual Connectivity::Reach reachability() const = 0;
};

// The one function the module exports: a new kit, which the caller owns.
using NetworkKitFactory = NetworkKit *(*)();
inline constexpr char NetworkKitFactoryName[] = "murel_network_kit";
