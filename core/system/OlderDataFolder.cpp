#include "core/system/OlderDataFolder.h"

#include "core/settings/SaveFile.h"
#include "core/system/DataFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace OlderDataFolder {

namespace {

const QString Record = QLatin1String(DataFiles::Record);
const QString Lock = QLatin1String(DataFiles::Lock);

bool hasRecord(const QString &folder)
{
    return QFileInfo(QDir(folder).filePath(Record)).isFile();
}

// A copy through a temporary file beside the target, so that the name
// appears only with every byte behind it.
bool copyFile(const QString &from, const QString &to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return false;
    QDir().mkpath(QFileInfo(to).absolutePath());
    return saveFile(to, bytes);
}

} // namespace

QStringList ownFiles()
{
    return {Record, QLatin1String(DataFiles::Hold), QLatin1String(DataFiles::Texts)};
}

QString copyInto(const QString &target, const QStringList &candidates)
{
    for (const QString &name : ownFiles()) {
        if (QFileInfo::exists(QDir(target).filePath(name)))
            return QString();
    }
    const QString targetPath = QDir::cleanPath(QDir(target).absolutePath());
    for (const QString &candidate : candidates) {
        const QString from = QDir::cleanPath(QDir(candidate).absolutePath());
        if (candidate.isEmpty() || from.compare(targetPath, Qt::CaseInsensitive) == 0 || !hasRecord(from))
            continue;
        bool whole = true;
        QDirIterator it(from, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            const QString relative = QDir(from).relativeFilePath(file);
            if (relative == Record || relative == Lock)
                continue;
            const QString to = QDir(targetPath).filePath(relative);
            if (!QFileInfo::exists(to) && !copyFile(file, to))
                whole = false;
        }
        // The record marks the copy as done: without every other file
        // behind it, the next start tries again.
        if (!whole || !copyFile(QDir(from).filePath(Record), QDir(targetPath).filePath(Record)))
            return QString();
        return from;
    }
    return QString();
}

} // namespace OlderDataFolder
