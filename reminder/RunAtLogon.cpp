#include "reminder/RunAtLogon.h"

#include "platform/Platform.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace RunAtLogon {

Entry entryFor(const QString &exePath, const Platform &platform)
{
    return {QFileInfo(exePath).completeBaseName(), platform.logonCommand(exePath)};
}

void registerProgram(Platform &platform)
{
    const Entry e = entryFor(QCoreApplication::applicationFilePath(), platform);
    platform.registerAtLogon(e.name, e.command);
}

bool isRegistered(const Platform &platform)
{
    const Entry e = entryFor(QCoreApplication::applicationFilePath(), platform);
    return platform.isRegisteredAtLogon(e.name, e.command);
}

void unregisterProgram(Platform &platform)
{
    platform.unregisterAtLogon(entryFor(QCoreApplication::applicationFilePath(), platform).name);
}

} // namespace RunAtLogon
