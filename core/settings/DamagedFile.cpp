#include "core/settings/DamagedFile.h"

#include <QFile>
#include <QFileInfo>

QString setDamagedFileAside(const QString &path)
{
    // QFile::rename never replaces a file that is there: a name taken
    // meanwhile fails, and the next one is tried.
    for (int n = 1; n <= 1000; ++n) {
        const QString name = path + QStringLiteral(".damaged-%1").arg(n);
        if (QFileInfo::exists(name) || QFileInfo(name).isSymLink())
            continue;
        if (QFile::rename(path, name))
            return name;
        if (!QFileInfo::exists(name))
            break; // not a name clash: the folder does not let us
    }
    return {};
}
