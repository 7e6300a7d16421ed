#include "core/settings/RegularFile.h"

#include <QFile>
#include <QFileInfo>

bool clearForRegularFile(const QString &path)
{
    const QFileInfo entry(path);
    if (entry.isFile() && !entry.isSymLink())
        return true;
    if (!entry.exists() && !entry.isSymLink())
        return true;
    if (entry.isDir() && !entry.isSymLink())
        return false;
    return QFile::remove(path);
}
