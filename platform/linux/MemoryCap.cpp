#include "platform/MemoryCap.h"

#include <sys/resource.h>

void capProcessMemory(qint64 bytes)
{
    // The data limit, not the address-space one: the web engine reserves
    // tens of gigabytes of address space it never uses, and would not
    // start under any address-space limit that protects anything. The data
    // limit counts what is writable and private, which is what a movie's
    // allocations become. Children (the engine's helper processes) inherit
    // it, each for itself.
    rlimit limit{rlim_t(bytes), rlim_t(bytes)};
    setrlimit(RLIMIT_DATA, &limit);
}
