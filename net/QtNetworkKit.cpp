#include "net/QtNetworkKit.h"

#include "net/InterfaceTable.h"
#include "net/SocketStream.h"

#include <QNetworkInformation>

namespace {

Connectivity::Reach reachOf(QNetworkInformation::Reachability reachability)
{
    using Reach = Connectivity::Reach;
    switch (reachability) {
    case QNetworkInformation::Reachability::Disconnected: return Reach::Disconnected;
    case QNetworkInformation::Reachability::Local: return Reach::Local;
    case QNetworkInformation::Reachability::Site: return Reach::Site;
    case QNetworkInformation::Reachability::Online: return Reach::Online;
    case QNetworkInformation::Reachability::Unknown: break;
    }
    return Reach::Unknown;
}

} // namespace

std::unique_ptr<ByteStream> QtNetworkKit::makeStream()
{
    return std::make_unique<SocketStream>();
}

QList<Connectivity::Interface> QtNetworkKit::interfaces() const
{
    return InterfaceTable::read();
}

bool QtNetworkKit::loadService(std::function<void()> changed)
{
    if (m_loaded || !QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability))
        return m_loaded;
    QNetworkInformation *service = QNetworkInformation::instance();
    if (!service)
        return false;
    m_loaded = true;
    QObject::connect(service, &QNetworkInformation::reachabilityChanged, &m_watch, [changed] { changed(); });
    return true;
}

Connectivity::Reach QtNetworkKit::reachability() const
{
    const QNetworkInformation *service = m_loaded ? QNetworkInformation::instance() : nullptr;
    return service ? reachOf(service->reachability()) : Connectivity::Reach::Unknown;
}
