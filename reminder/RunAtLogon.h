#pragma once

#include <QString>

class Platform;

// Run at logon for this program: registered under the executable's name
// without extension, starting the command the platform gives for it.
namespace RunAtLogon {

struct Entry
{
    QString name;
    QString command;
};

// The entry for the executable at exePath.
Entry entryFor(const QString &exePath, const Platform &platform);

void registerProgram(Platform &platform);
// Whether the system starts this program at logon, whatever the settings
// say: the entry is there and runs this very file.
bool isRegistered(const Platform &platform);
void unregisterProgram(Platform &platform);

} // namespace RunAtLogon
