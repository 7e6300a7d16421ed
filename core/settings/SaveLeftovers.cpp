#include "core/settings/SaveLeftovers.h"

#include "core/settings/SaveFile.h"

#include <QDir>
#include <QFile>

#include <algorithm>

bool isSaveLeftover(const QString &fileName, const QStringList &names)
{
    return std::any_of(names.begin(), names.end(),
                       [&](const QString &name) { return SaveFile::isTemporaryOf(fileName, name); });
}

void removeSaveLeftovers(const QString &folder, const QStringList &names)
{
    const QDir dir(folder);
    const QStringList files = dir.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QString &file : files) {
        if (isSaveLeftover(file, names))
            QFile::remove(dir.filePath(file));
    }
}
