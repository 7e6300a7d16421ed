#include "platform/MemoryCap.h"

void capProcessMemory(qint64)
{
    // A job object with a process memory limit would do it here; the
    // player does not run on this system yet.
}
