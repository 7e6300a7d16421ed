#include "platform/ChildProcess.h"

#include <QProcess>

void startAsProcessGroup(QProcess &)
{
}

void killProcessGroup(qint64)
{
    // Ended through QProcess::kill by the caller; a job object would take
    // the children too.
}
