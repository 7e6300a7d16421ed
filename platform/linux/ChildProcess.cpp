#include "platform/ChildProcess.h"

#include <QProcess>

#include <csignal>
#include <unistd.h>

void startAsProcessGroup(QProcess &process)
{
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
}

void killProcessGroup(qint64 pid)
{
    if (pid > 0)
        ::kill(-pid_t(pid), SIGKILL);
}
