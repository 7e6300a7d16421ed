#include "platform/ChannelCall.h"

#include "platform/InstanceChannel.h"
#include "platform/linux/UnixSocketAddress.h"

#include <QDeadlineTimer>
#include <QScopeGuard>

#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// How often a full queue of callers is tried again.
constexpr int RetryMs = 20;

// Whether socket became ready for events before deadline. Ready includes
// hung up and broken: the next call on the socket tells which.
bool waitFor(int socket, short events, const QDeadlineTimer &deadline)
{
    for (;;) {
        pollfd watched{socket, events, 0};
        const int ready = ::poll(&watched, 1, int(deadline.remainingTime()));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

bool connectWithin(int socket, const sockaddr_un &address, const QDeadlineTimer &deadline)
{
    for (;;) {
        if (::connect(socket, reinterpret_cast<const sockaddr *>(&address), sizeof(address)) == 0)
            return true;
        if (errno == EINPROGRESS) {
            int error = 0;
            socklen_t size = sizeof(error);
            return waitFor(socket, POLLOUT, deadline) && ::getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &size) == 0
                && error == 0;
        }
        // Nobody listening, or a file left by a lost copy, is an answer at
        // once; only a queue of callers that is full is worth waiting on.
        if ((errno != EAGAIN && errno != EINTR) || deadline.hasExpired())
            return false;
        ::poll(nullptr, 0, int(qMin<qint64>(RetryMs, deadline.remainingTime())));
    }
}

bool writeWithin(int socket, const QByteArray &bytes, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    qsizetype written = 0;
    while (written < bytes.size()) {
        // A running copy that hangs up first must not end this one.
        const ssize_t count = ::send(socket, bytes.constData() + written, size_t(bytes.size() - written), MSG_NOSIGNAL);
        if (count >= 0)
            written += count;
        else if (errno == EINTR)
            continue;
        else if ((errno != EAGAIN && errno != EWOULDBLOCK) || !waitFor(socket, POLLOUT, deadline))
            return false;
    }
    return true;
}

// Up to the line end, or a line's room, or until the running copy hangs up
// or sends nothing for timeoutMs.
QByteArray readAnswer(int socket, int timeoutMs)
{
    QByteArray answer;
    char chunk[InstanceChannel::MaxLine + 1];
    while (!answer.endsWith('\n') && answer.size() <= InstanceChannel::MaxLine) {
        const ssize_t count = ::recv(socket, chunk, sizeof(chunk), 0);
        if (count > 0)
            answer.append(chunk, count);
        else if (count < 0 && errno == EINTR)
            continue;
        else if (count == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)
                 || !waitFor(socket, POLLIN, QDeadlineTimer(timeoutMs)))
            break;
    }
    return answer;
}

// A socket connected to the running copy, or -1. It listens at name
// unless something in the way kept it at the spare name; a copy that
// listens but whose queue stays full is not looked for elsewhere.
int connectToChannel(const QString &name, const QDeadlineTimer &deadline)
{
    for (const QString &path : {name, spareSocketPath(name)}) {
        const std::optional<sockaddr_un> address = unixSocketAddress(path);
        if (!address)
            continue;
        const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (socket < 0)
            return -1;
        if (connectWithin(socket, *address, deadline))
            return socket;
        ::close(socket);
        if (deadline.hasExpired())
            return -1;
    }
    return -1;
}

} // namespace

std::optional<QByteArray> callChannel(const QString &name, const QByteArray &request, bool awaitAnswer, int timeoutMs)
{
    const int socket = connectToChannel(name, QDeadlineTimer(timeoutMs));
    if (socket < 0)
        return std::nullopt;
    const auto closing = qScopeGuard([socket] { ::close(socket); });
    if (!writeWithin(socket, request, timeoutMs))
        return std::nullopt;
    return awaitAnswer ? readAnswer(socket, timeoutMs) : QByteArray();
}
