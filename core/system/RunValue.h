#pragma once

#include <QString>

// The value Windows reads at logon under the user's Run key: the program's
// full path, always quoted (Windows would otherwise try each prefix of a
// path with blanks as a program).
namespace RunValue {

// exePath with either separator; the value holds backslashes.
QString forProgram(const QString &exePath);

// Whether a stored value starts the program at exePath: paths are the same
// in any case and with either separator there, and an older writer may have
// left the quotes out where the path has no blank.
bool startsProgram(const QString &stored, const QString &exePath);

} // namespace RunValue
