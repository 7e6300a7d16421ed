#pragma once

#include <QtGlobal>

class QProcess;

// A helper program and whatever it starts, kept and ended together: the
// movie player starts the web engine's processes, which must not outlive
// it when it has to be killed.
void startAsProcessGroup(QProcess &process);
// Kills the group of the process that had this id, with everything it
// started and left behind, at once; nothing when pid is 0.
void killProcessGroup(qint64 pid);
