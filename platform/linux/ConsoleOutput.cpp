#include "platform/ConsoleOutput.h"

#include <cstdio>

// The terminal speaks UTF-8, which the toolkit takes as the system's
// 8-bit encoding here.
void writeOutput(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stdout);
    std::fflush(stdout);
}

void writeError(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stderr);
}

QStringList commandLineArguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}
