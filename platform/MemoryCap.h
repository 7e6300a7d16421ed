#pragma once

#include <QtGlobal>

// Caps the memory that this process, and each process it starts from now
// on, may take for its data; an allocation beyond it fails. Whatever
// cannot be capped on this system is left as it is.
void capProcessMemory(qint64 bytes);
