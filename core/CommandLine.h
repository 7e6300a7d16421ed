#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What the command line asks for, decided before any window or display is
// touched, so that --help and --version work on a machine without one.
struct CommandLineDecision
{
    // True: start the program. False: print and end with exitCode.
    bool run = true;
    int exitCode = 0;
    QString standardOutput;
    QString standardError;
    // The display platform named by -platform, which the toolkit prefers to
    // QT_QPA_PLATFORM; empty when none is.
    QString platform;
};

// arguments as main() received them, the program's own name first. The
// toolkit's standard options (-platform, -style, -session ...) are left
// for it to take; anything else that is not ours is a usage error.
CommandLineDecision decideCommandLine(const QStringList &arguments);

// Decides for main()'s arguments and prints what the decision says;
// gives the exit status when the program is to end here.
std::optional<int> answerCommandLine(int argc, char *argv[]);

// The display platform main()'s arguments name with -platform, if any.
QString platformOption(int argc, char *argv[]);
