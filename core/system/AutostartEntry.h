#pragma once

#include <QByteArray>
#include <QString>

// The desktop entry that starts a program when the user logs on
// (~/.config/autostart/<name>.desktop).
namespace AutostartEntry {

// One argument of an Exec line: quoted when it holds a blank or another
// reserved character, with ", `, $ and \ escaped inside the quotes.
QString quoteArgument(const QString &argument);

// The whole file for a program started by command (a single path). Its
// TryExec names the same file, so that once the program is removed the
// session passes over a leftover entry without a word.
QByteArray content(const QString &command);

// Whether an entry's text starts command when the user logs on: its Exec
// line runs that file (as content writes it, or quoted otherwise) and the
// entry is neither hidden nor switched off.
bool runs(const QByteArray &entry, const QString &command);
// Whether <name>.desktop in folder exists and runs command.
bool isRegistered(const QString &folder, const QString &name, const QString &command);

// Writes the entry, <name>.desktop, through a temporary file; false when
// it cannot.
bool write(const QString &folder, const QString &name, const QString &command);
// Removes the entry if there is one.
void remove(const QString &folder, const QString &name);

} // namespace AutostartEntry
