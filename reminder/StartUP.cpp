#include "reminder/StartUP.h"

#include "platform/Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace StartUP {

Entry entryFor(const QString &exePath, QChar separator)
{
    const QFileInfo exe(exePath);
    Entry e;
    e.name = exe.completeBaseName();
    QString folder = exe.path();
    folder.replace(QLatin1Char('/'), separator);
    e.command = folder + separator + e.name;
    return e;
}

Entry currentEntry()
{
    return entryFor(QCoreApplication::applicationFilePath(), QDir::separator());
}

void registerProgram(Platform &platform)
{
    const Entry e = currentEntry();
    platform.registerAtLogon(e.name, e.command);
}

void unregisterProgram(Platform &platform)
{
    platform.unregisterAtLogon(currentEntry().name);
}

} // namespace StartUP
