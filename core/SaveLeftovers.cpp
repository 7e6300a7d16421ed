#include "core/SaveLeftovers.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace {

// The random part QSaveFile puts after the name: six ASCII letters.
constexpr int kRandomPart = 6;

bool isLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

} // namespace

bool isSaveLeftover(const QString &fileName, const QStringList &names)
{
    for (const QString &name : names) {
        if (fileName.size() != name.size() + 1 + kRandomPart || !fileName.startsWith(name)
            || fileName.at(name.size()) != QLatin1Char('.'))
            continue;
        const QStringView random = QStringView(fileName).mid(name.size() + 1);
        if (std::all_of(random.begin(), random.end(), isLetter))
            return true;
    }
    return false;
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
