#include "platform/Platform.h"

#include <QDir>

QString dataFolderFor(const QString &windir, const QString &fallbackBase)
{
    const QString base = windir.isEmpty() ? fallbackBase : windir;
    return QDir::cleanPath(base + QStringLiteral("/murel"));
}
