#include "platform/NetworkModule.h"

#include "core/fetch/NetworkKit.h"
#include "core/fetch/PlayerLocation.h"

#include <QFileInfo>
#include <QLibrary>

NetworkModule::NetworkModule(QString exeFolder)
    : m_exeFolder(std::move(exeFolder))
{
}

// The library stays loaded: the kit's code and what Qt Network leaves
// behind (its plugins, its global objects) live until the process ends.
NetworkModule::~NetworkModule() = default;

QString NetworkModule::fileIn(const QString &folder)
{
    return folder + QStringLiteral("/modules/murel-network" MUREL_MODULE_SUFFIX);
}

NetworkKit *NetworkModule::kit()
{
    if (m_tried)
        return m_kit.get();
    m_tried = true;
    QString file;
    for (const QString &folder : PlayerLocation::candidateFolders(m_exeFolder)) {
        if (QFileInfo(fileIn(folder)).isFile()) {
            file = fileIn(folder);
            break;
        }
    }
    if (file.isEmpty()) {
        qWarning("murel: the network module %s is missing: no announcements can be fetched",
                 qPrintable(fileIn(PlayerLocation::candidateFolders(m_exeFolder).constLast())));
        return nullptr;
    }
    m_library = std::make_unique<QLibrary>(file);
    const auto make = reinterpret_cast<NetworkKitFactory>(m_library->resolve(NetworkKitFactoryName));
    if (!make) {
        qWarning("murel: the network module cannot be loaded: %s", qPrintable(m_library->errorString()));
        return nullptr;
    }
    m_kit.reset(make());
    return m_kit.get();
}
