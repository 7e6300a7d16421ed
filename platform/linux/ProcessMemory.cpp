#include "platform/ProcessMemory.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

// The start of a small file under /proc, as text; empty when unreadable.
std::string readStart(const char *path, size_t limit)
{
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    std::string text(limit, '\0');
    const ssize_t n = ::read(fd, text.data(), limit);
    ::close(fd);
    text.resize(n > 0 ? size_t(n) : 0);
    return text;
}

// The group of a process, from its stat line: "pid (name) state ppid pgrp
// ...", where the name may hold spaces and parentheses.
long groupOf(long pid)
{
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%ld/stat", pid);
    const std::string stat = readStart(path, 512);
    const size_t end = stat.rfind(')');
    if (end == std::string::npos)
        return -1;
    char state = 0;
    long ppid = 0;
    long group = -1;
    if (std::sscanf(stat.c_str() + end + 1, " %c %ld %ld", &state, &ppid, &group) != 3)
        return -1;
    return group;
}

// Proportional set size where the kernel gives it (a summary of the
// memory map), resident size otherwise; -1 for a process that has gone.
qint64 memoryOf(long pid)
{
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%ld/smaps_rollup", pid);
    const std::string rollup = readStart(path, 4096);
    if (const size_t at = rollup.find("\nPss:"); at != std::string::npos)
        return std::strtoll(rollup.c_str() + at + 5, nullptr, 10) * 1024;
    std::snprintf(path, sizeof path, "/proc/%ld/statm", pid);
    const std::string statm = readStart(path, 128);
    long long size = 0;
    long long resident = 0;
    if (std::sscanf(statm.c_str(), "%lld %lld", &size, &resident) != 2)
        return -1;
    return resident * ::sysconf(_SC_PAGESIZE);
}

} // namespace

std::optional<qint64> processGroupMemory(qint64 groupId)
{
    if (groupId <= 0)
        return std::nullopt;
    const std::unique_ptr<DIR, int (*)(DIR *)> proc(::opendir("/proc"), &::closedir);
    if (!proc)
        return std::nullopt;
    qint64 total = 0;
    while (const dirent *entry = ::readdir(proc.get())) {
        char *end = nullptr;
        const long pid = std::strtol(entry->d_name, &end, 10);
        if (pid <= 0 || *end != '\0' || groupOf(pid) != groupId)
            continue;
        // One that ended meanwhile holds nothing.
        if (const qint64 bytes = memoryOf(pid); bytes > 0)
            total += bytes;
    }
    return total;
}
