#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Where the movie player program (and, beside it, its page) is found,
// relative to the program's own executable: beside it in the build tree,
// in lib/murel once installed under any prefix.
namespace PlayerLocation {

// Folders that may hold the player, nearest first.
QStringList candidateFolders(const QString &exeFolder);

// The player program in the first candidate folder for which isPlayer is
// true; empty when there is none.
QString programFile(const QString &exeFolder, const std::function<bool(const QString &file)> &isPlayer);

// The same, looking at the file system.
QString installedProgramFile(const QString &exeFolder);

} // namespace PlayerLocation
