#include "platform/NetworkModule.h"

#include "core/fetch/NetworkKit.h"

NetworkModule::NetworkModule(QString exeFolder)
    : m_library(std::move(exeFolder), QStringLiteral("murel-network"), "no announcements can be fetched")
{
}

NetworkModule::~NetworkModule() = default;

NetworkKit *NetworkModule::kit()
{
    if (m_tried)
        return m_kit.get();
    m_tried = true;
    if (const auto make = reinterpret_cast<NetworkKitFactory>(m_library.resolve(NetworkKitFactoryName)))
        m_kit.reset(make());
    return m_kit.get();
}
