#include "platform/Platform.h"

#include <QDir>
#include <QStandardPaths>

QString dataFolderFor(const QString &windir, const QString &fallbackBase)
{
    const QString base = windir.isEmpty() ? fallbackBase : windir;
    return QDir::cleanPath(base + QStringLiteral("/murel"));
}

QString Platform::dataFolder() const
{
    return dataFolderFor(qEnvironmentVariable("windir"),
                         QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}
