#include "announce/PlayerLocation.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kPluginName = QStringLiteral("murel_player");

} // namespace

namespace PlayerLocation {

QStringList candidateFolders(const QString &exeFolder)
{
    return {QDir::cleanPath(exeFolder),
            QDir::cleanPath(exeFolder + QStringLiteral("/" MUREL_PLAYER_FROM_BINDIR))};
}

QString pluginFile(const QString &exeFolder, const std::function<bool(const QString &folder)> &hasPlugin)
{
    const QStringList folders = candidateFolders(exeFolder);
    for (const QString &folder : folders) {
        if (hasPlugin(folder))
            return folder + QLatin1Char('/') + kPluginName;
    }
    return QString();
}

QString installedPluginFile(const QString &exeFolder)
{
    return pluginFile(exeFolder, [](const QString &folder) {
        return QFileInfo::exists(folder + QLatin1Char('/') + kPluginName + QStringLiteral(MUREL_PLUGIN_SUFFIX));
    });
}

} // namespace PlayerLocation
