#pragma once

#include <QString>

#include <optional>
#include <sys/un.h>

// The address of a socket file at path; nothing when the path is empty or
// longer than an address holds, rather than cut to another file's name.
std::optional<sockaddr_un> unixSocketAddress(const QString &path);

// Where the listener goes when something it must not remove holds path (a
// folder with files in it, another user's file), and where callers look
// when nothing answers at path.
QString spareSocketPath(const QString &path);
