#include "platform/linux/UnixChannelCaller.h"

#include "platform/InstanceChannel.h"

#include <QPointer>
#include <QSocketNotifier>
#include <QTimerEvent>

#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

UnixChannelCaller::UnixChannelCaller(int socket, ChannelListener::Answer answer, QObject *parent)
    : QObject(parent)
    , m_socket(socket)
    , m_answer(std::move(answer))
{
}

void UnixChannelCaller::start()
{
    // A later copy writes its line as soon as it has connected: most
    // callers are done here, and need nothing watched.
    const QPointer<UnixChannelCaller> alive(this);
    read();
    if (!alive || !waiting())
        return;
    m_notifier = new QSocketNotifier(m_socket, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UnixChannelCaller::read);
    // Ends with this object, unlike a single shot, which would outlive
    // every caller of a flood by its whole span.
    m_quietTimer = startTimer(ChannelListener::QuietCallerMs);
}

UnixChannelCaller::~UnixChannelCaller()
{
    delete m_notifier;
    if (m_socket >= 0)
        ::close(m_socket);
}

void UnixChannelCaller::lastCall()
{
    if (!waiting())
        return;
    read();
    if (waiting())
        hangUp();
}

void UnixChannelCaller::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_quietTimer)
        hangUp();
}

void UnixChannelCaller::read()
{
    if (!waiting())
        return;
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
    m_step = Step::Answering;
    if (m_notifier)
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
    if (m_step == Step::Done)
        return;
    m_step = Step::Done;
    if (m_notifier)
        m_notifier->setEnabled(false);
    if (m_quietTimer != 0)
        killTimer(m_quietTimer);
    m_quietTimer = 0;
    // The caller hears it at once, and the descriptor is free for the
    // next one even while a loop holds this object's deletion back.
    ::close(m_socket);
    m_socket = -1;
    m_received = QByteArray();
    deleteLater();
}
