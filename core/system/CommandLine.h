#pragma once

#include "core/hold/PauseLength.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// What the command line asks for, decided before any window or display is
// touched, so that --help and --version work on a machine without one.
struct CommandLineDecision
{
    // True: start the program. False: write standardOutput and
    // standardError, and end with exitCode.
    bool run = true;
    int exitCode = 0;
    QString standardOutput;
    QString standardError;
    // The display platform named by -platform, which the toolkit prefers to
    // QT_QPA_PLATFORM; empty when none is.
    QString platform;
    // The X display named by -display, which the toolkit prefers to
    // DISPLAY; empty when none is.
    QString display;
    // A request for the copy already running (--pause, --resume,
    // --show-now) as the line the instance channel carries; empty when
    // there is none. The last one given counts.
    QByteArray request;
};

// How long --pause asks for: "30m" (1-1440 minutes), "1h" (1-24 hours) or
// "tomorrow"; nothing for anything else.
std::optional<PauseLength> parsePauseLength(QStringView text);

// arguments as main() received them, the program's own name first (as
// the platform's commandLineArguments reads them). The toolkit's standard
// options (-platform, -style, -session ...) are left for it to take;
// anything else that is not ours is a usage error. Writing what the
// decision says is main()'s: only it knows the terminal.
CommandLineDecision decideCommandLine(const QStringList &arguments);
