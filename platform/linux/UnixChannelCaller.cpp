#include "platform/linux/UnixChannelCaller.h"

#include "platform/InstanceChannel.h"

#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

UnixChannelCaller::UnixChannelCaller(int socket, ChannelListener::Answer answer, QObject *parent)
    : QObject(parent)
    , m_socket(socket)
    , m_answer(std::move(answer))
    , m_notifier(new QSocketNotifier(socket, QSocketNotifier::Read, this))
{
    connect(m_notifier, &QSocketNotifier::activated, this, &UnixChannelCaller::read);
    QTimer::singleShot(ChannelListener::QuietCallerMs, this, &UnixChannelCaller::hangUp);
    // What came with the connection is not announced again.
    read();
}

UnixChannelCaller::~UnixChannelCaller()
{
    delete m_notifier;
    ::close(m_socket);
}

void UnixChannelCaller::read()
{
    constexpr int Room = InstanceChannel::MaxLine;
    // One byte past the room tells a line too long from one that fits.
    char chunk[Room + 1];
    for (;;) {
        const ssize_t count = ::recv(m_socket, chunk, sizeof(chunk) - size_t(m_received.size()), 0);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        if (count <= 0) {
            // Gone before a whole line, or broken.
            hangUp();
            return;
        }
        m_received.append(chunk, count);
        const qsizetype end = m_received.indexOf('\n');
        if (end >= 0 && end < Room) {
            answer(m_received.left(end + 1));
            return;
        }
        if (m_received.size() > Room) {
            hangUp();
            return;
        }
    }
}

void UnixChannelCaller::answer(const QByteArray &line)
{
    // Nothing more is read from this caller, even while whatever the line
    // starts runs a loop of its own.
    m_notifier->setEnabled(false);
    const ChannelListener::Answer answer = m_answer;
    const QPointer<UnixChannelCaller> alive(this);
    const QByteArray reply = answer(line);
    if (!alive)
        return;
    // A few bytes into a fresh socket's empty buffer go at once. A caller
    // that has already hung up gets nothing, and no signal ends this copy.
    if (!reply.isEmpty())
        (void)::send(m_socket, reply.constData(), size_t(reply.size()), MSG_NOSIGNAL);
    hangUp();
}

void UnixChannelCaller::hangUp()
{
    m_notifier->setEnabled(false);
    deleteLater();
}
