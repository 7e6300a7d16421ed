#include "platform/linux/UnixSocketAddress.h"

#include <QFile>

#include <cstring>
#include <sys/socket.h>

std::optional<sockaddr_un> unixSocketAddress(const QString &path)
{
    const QByteArray bytes = QFile::encodeName(path);
    sockaddr_un address{};
    // The last byte stays the terminating zero.
    if (bytes.isEmpty() || bytes.size() >= qsizetype(sizeof(address.sun_path)) || bytes.contains('\0'))
        return std::nullopt;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, bytes.constData(), size_t(bytes.size()));
    return address;
}

QString spareSocketPath(const QString &path)
{
    return path + QStringLiteral(".2");
}
