#pragma once

#include <QString>

class Platform;

// Run at logon for this program: registered under the executable's name
// without extension, starting the program's folder + separator + that name.
namespace StartUP {

struct Entry
{
    QString name;
    QString command;
};

// The entry for an executable at exePath, with the platform's separator.
Entry entryFor(const QString &exePath, QChar separator);
// The entry for the running program.
Entry currentEntry();

void registerProgram(Platform &platform);
void unregisterProgram(Platform &platform);

} // namespace StartUP
