#include "platform/LogonCommand.h"

#include <QDir>
#include <QFileInfo>

namespace LogonCommand {

QString byPath(const QString &exePath, const QString &appImage)
{
    if (QDir::isAbsolutePath(appImage) && QFileInfo(appImage).isFile())
        return QDir::cleanPath(appImage);
    return exePath;
}

} // namespace LogonCommand
