#pragma once

#include "core/fetch/NetworkKit.h"

#include <QObject>

// The network kit over Qt Network: sockets, the interface table and
// QNetworkInformation's reachability.
class QtNetworkKit final : public NetworkKit
{
public:
    std::unique_ptr<ByteStream> makeStream() override;
    QList<Connectivity::Interface> interfaces() const override;
    bool loadService(std::function<void()> changed) override;
    Connectivity::Reach reachability() const override;

private:
    // Holds the service's connection, so that it ends with the kit.
    QObject m_watch;
    bool m_loaded = false;
};
