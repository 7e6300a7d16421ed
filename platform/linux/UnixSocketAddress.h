#pragma once

#include <QString>

#include <optional>
#include <sys/un.h>

// The address of a socket file at path; nothing when the path is empty or
// longer than an address holds, rather than cut to another file's name.
std::optional<sockaddr_un> unixSocketAddress(const QString &path);
