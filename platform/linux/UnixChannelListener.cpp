#include "platform/linux/UnixChannelListener.h"

#include "platform/linux/UnixChannelCaller.h"
#include "platform/linux/UnixSocketAddress.h"

#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Callers that may wait to be taken; a later copy is started by a person.
constexpr int Backlog = 16;
// How long taking callers rests when the system has no descriptor left.
constexpr int RestMs = 1000;

// Clears path for the socket. Only the lock's holder gets here, so what
// lies there can only be left by a copy that ended (its socket) or put
// there by mistake: that goes, and so does a folder of this user's with
// nothing in it. False when something stays.
bool clearForSocket(const char *path)
{
    struct stat st;
    if (::lstat(path, &st) != 0)
        return errno == ENOENT;
    if (S_ISDIR(st.st_mode))
        return st.st_uid == ::geteuid() && ::rmdir(path) == 0;
    return ::unlink(path) == 0;
}

// A socket listening at address, or -1; blocked tells that something
// which could not be cleared holds its path.
int listenAt(const sockaddr_un &address, bool &blocked)
{
    blocked = false;
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (socket < 0)
        return -1;
    // The file bind makes takes the socket's mode: no moment in which
    // another user could connect.
    ::fchmod(socket, S_IRWXU);
    const auto bindAt = [&] {
        return ::bind(socket, reinterpret_cast<const sockaddr *>(&address), sizeof(sockaddr_un)) == 0;
    };
    bool bound = bindAt();
    if (!bound && errno == EADDRINUSE) {
        blocked = !clearForSocket(address.sun_path);
        bound = !blocked && bindAt();
    }
    if (!bound || ::listen(socket, Backlog) != 0) {
        if (bound)
            ::unlink(address.sun_path);
        ::close(socket);
        return -1;
    }
    return socket;
}

} // namespace

ChannelListener *ChannelListener::create(Answer answer, QObject *parent)
{
    return new UnixChannelListener(std::move(answer), parent);
}

UnixChannelListener::UnixChannelListener(Answer answer, QObject *parent)
    : ChannelListener(parent)
    , m_answer(std::move(answer))
{
}

UnixChannelListener::~UnixChannelListener()
{
    if (m_socket < 0)
        return;
    delete m_notifier;
    ::close(m_socket);
    // A later copy finds no name left to try.
    ::unlink(m_path.constData());
}

bool UnixChannelListener::listen(const QString &name)
{
    if (listening())
        return true;
    std::optional<sockaddr_un> address = unixSocketAddress(name);
    if (!address)
        return false;
    bool blocked = false;
    int socket = listenAt(*address, blocked);
    if (socket < 0 && blocked) {
        // Said once, where the program was started from: the user put it
        // there, and may want it gone.
        const QString spare = spareSocketPath(name);
        address = unixSocketAddress(spare);
        bool spareBlocked = false;
        socket = address ? listenAt(*address, spareBlocked) : -1;
        if (socket >= 0)
            qWarning("murel: %s is in the way of the channel between copies and was kept; they meet at %s instead",
                     qPrintable(name), qPrintable(spare));
        else
            qWarning("murel: %s is in the way of the channel between copies and was kept; later copies cannot "
                     "reach this one",
                     qPrintable(name));
    }
    if (socket < 0)
        return false;
    m_socket = socket;
    m_path = address->sun_path;
    m_notifier = new QSocketNotifier(socket, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UnixChannelListener::accept);
    return true;
}

bool UnixChannelListener::listening() const
{
    return m_socket >= 0;
}

void UnixChannelListener::accept()
{
    const QPointer<UnixChannelListener> alive(this);
    // A pass takes a few callers and gives the loop back: between passes
    // of a flood the callers served are deleted and the program does its
    // other work. The socket stays ready for the rest.
    for (int taken = 0; taken < MaxCallers;) {
        const int socket = ::accept4(m_socket, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (socket < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK) {
                // Out of descriptors: the caller stays queued, and the loop
                // does not spin on a socket that stays ready.
                m_notifier->setEnabled(false);
                QTimer::singleShot(RestMs, m_notifier, [notifier = m_notifier] { notifier->setEnabled(true); });
            }
            return;
        }
        ++taken;
        auto *caller = new UnixChannelCaller(socket, m_answer, this);
        const QPointer<UnixChannelCaller> started(caller);
        caller->start();
        // Whatever the line started may have ended the listener.
        if (!alive)
            return;
        if (started && started->waiting())
            admit(caller);
    }
}

void UnixChannelListener::admit(UnixChannelCaller *caller)
{
    std::erase_if(m_waiting, [](const QPointer<UnixChannelCaller> &other) { return !other || !other->waiting(); });
    m_waiting.emplace_back(caller);
    if (qsizetype(m_waiting.size()) <= MaxCallers)
        return;
    const QPointer<UnixChannelCaller> oldest = m_waiting.front();
    m_waiting.erase(m_waiting.begin());
    oldest->lastCall();
}
