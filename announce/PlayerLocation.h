#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Where the movie player (its plugin and, beside it, its page) is found,
// relative to the program's own executable: beside it in the build tree,
// in lib/murel once installed under any prefix.
namespace PlayerLocation {

// Folders that may hold the player, nearest first.
QStringList candidateFolders(const QString &exeFolder);

// The plugin (a path without its file suffix) in the first candidate
// folder for which hasPlugin is true; empty when there is no player.
QString pluginFile(const QString &exeFolder, const std::function<bool(const QString &folder)> &hasPlugin);

// The same, looking at the file system.
QString installedPluginFile(const QString &exeFolder);

} // namespace PlayerLocation
