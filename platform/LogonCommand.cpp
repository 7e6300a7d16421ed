#include "platform/LogonCommand.h"

#include <QDir>
#include <QFileInfo>

namespace LogonCommand {

QString byName(const QString &exePath, QChar separator)
{
    const QFileInfo exe(exePath);
    QString folder = exe.path();
    folder.replace(QLatin1Char('/'), separator);
    return folder + separator + exe.completeBaseName();
}

QString byPath(const QString &exePath, const QString &appImage)
{
    if (QDir::isAbsolutePath(appImage) && QFileInfo(appImage).isFile())
        return QDir::cleanPath(appImage);
    return exePath;
}

} // namespace LogonCommand
