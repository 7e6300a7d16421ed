#pragma once

#include <QChar>
#include <QString>

// What a logon entry starts, worked out from the running program's file.
namespace LogonCommand {

// The program's folder and its name without extension, with the given
// separator: how the entry has always been written on Windows, where the
// system finds the ".exe" by itself.
QString byName(const QString &exePath, QChar separator);

// The running program's own file; for a program running from an AppImage
// (appImage, from the environment, names an existing file by an absolute
// path) the image itself, since the file that runs lives in a mount that
// is gone at the next logon. A name with dots is kept whole.
QString byPath(const QString &exePath, const QString &appImage);

} // namespace LogonCommand
