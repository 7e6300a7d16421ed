#pragma once

#include <QString>

// What a logon entry starts, worked out from the running program's file.
namespace LogonCommand {

// The running program's own file; for a program running from an AppImage
// (appImage, from the environment, names an existing file by an absolute
// path) the image itself, since the file that runs lives in a mount that
// is gone at the next logon. A name with dots is kept whole.
QString byPath(const QString &exePath, const QString &appImage);

} // namespace LogonCommand
