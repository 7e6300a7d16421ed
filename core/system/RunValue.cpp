#include "core/system/RunValue.h"

#include <QDir>

namespace RunValue {

namespace {

QString windowsPath(QString path)
{
    return QDir::cleanPath(path.replace(u'\\', u'/')).replace(u'/', u'\\');
}

} // namespace

QString forProgram(const QString &exePath)
{
    return QLatin1Char('"') + windowsPath(exePath) + QLatin1Char('"');
}

bool startsProgram(const QString &stored, const QString &exePath)
{
    QString path = stored.trimmed();
    if (path.size() > 1 && path.startsWith(u'"') && path.endsWith(u'"'))
        path = path.mid(1, path.size() - 2);
    return !exePath.isEmpty() && !path.isEmpty()
        && windowsPath(path).compare(windowsPath(exePath), Qt::CaseInsensitive) == 0;
}

} // namespace RunValue
