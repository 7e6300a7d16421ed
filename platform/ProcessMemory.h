#pragma once

#include <QtGlobal>
#include <optional>

// The memory that the processes of one process group (a helper program and
// whatever it started) hold together, in bytes: each process's share of
// what it has in memory, so that libraries and memory the processes share
// count once. Nothing when this system cannot tell.
std::optional<qint64> processGroupMemory(qint64 groupId);
