#include "core/fetch/PlayerLocation.h"

#include <QDir>
#include <QFileInfo>

namespace PlayerLocation {

QStringList candidateFolders(const QString &exeFolder)
{
    return {QDir::cleanPath(exeFolder), QDir::cleanPath(exeFolder + QStringLiteral("/" MUREL_PLAYER_FROM_BINDIR))};
}

QString programFile(const QString &exeFolder, const std::function<bool(const QString &file)> &isPlayer)
{
    for (const QString &folder : candidateFolders(exeFolder)) {
        const QString file = folder + QStringLiteral("/murel-player" MUREL_EXECUTABLE_SUFFIX);
        if (isPlayer(file))
            return file;
    }
    return QString();
}

QString installedProgramFile(const QString &exeFolder)
{
    return programFile(exeFolder, [](const QString &file) {
        const QFileInfo info(file);
        return info.isFile() && info.isExecutable();
    });
}

} // namespace PlayerLocation
