#pragma once

#include <QString>
#include <QStringList>

// The terminal the program was started from, before any window: what
// --help, --version and a request's one line write, and the words of the
// command line. Each system has its own.
//
// Writes text to the standard output or error: on a console as its
// characters, to a file or a pipe as UTF-8. On Windows, where the program
// has no console of its own, it takes the one it was started from only
// once there is something to write.
void writeOutput(const QString &text);
void writeError(const QString &text);

// The command line as main() received it, the program's own name first,
// in the characters it was typed with (on Windows main()'s argv is in the
// system's 8-bit code page, which has no Arabic, say).
QStringList commandLineArguments(int argc, char *argv[]);
