#include "platform/InstanceChannel.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

namespace {
// A caller that connects and says nothing is not waited for longer.
constexpr int QuietCallerMs = 2000;
} // namespace

InstanceChannel::InstanceChannel(const QString &dataFolder, QObject *parent)
    : QObject(parent)
    , m_name(serverNameFor(dataFolder))
{
}

InstanceChannel::~InstanceChannel() = default;

bool InstanceChannel::listen()
{
    if (listening())
        return true;
    if (!m_server) {
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, &InstanceChannel::accept);
    }
    if (m_server->listen(m_name))
        return true;
    // Only the lock's holder gets here: a socket left at the name belongs to
    // a copy that ended without removing it.
    QLocalServer::removeServer(m_name);
    return m_server->listen(m_name);
}

bool InstanceChannel::listening() const
{
    return m_server && m_server->isListening();
}

void InstanceChannel::accept()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { read(socket); });
        QTimer::singleShot(QuietCallerMs, socket, &QObject::deleteLater);
        read(socket);
    }
}

void InstanceChannel::read(QLocalSocket *socket)
{
    if (!socket->canReadLine()) {
        // A caller that sends no line end in a line's room is not waited for.
        if (socket->bytesAvailable() > MaxLine)
            socket->abort();
        return;
    }
    const QByteArray line = socket->readLine(MaxLine + 1);
    const QByteArray words = line.trimmed();
    bool known = true;
    if (line == RaiseRequest) {
        Q_EMIT raiseRequested();
    } else if (words == "resume") {
        Q_EMIT resumeRequested();
    } else if (words == "show-now") {
        Q_EMIT showNowRequested();
    } else if (words.startsWith("pause ")) {
        const std::optional<PauseSpan> length = parsePauseLength(QString::fromLatin1(words.mid(6)));
        known = length.has_value();
        if (known)
            Q_EMIT pauseRequested(*length);
    } else {
        known = false;
    }
    if (known && line != RaiseRequest)
        socket->write(Confirmation);
    socket->disconnectFromServer();
}

bool InstanceChannel::send(const QByteArray &request, int timeoutMs) const
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(request);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    QByteArray answer;
    while (!answer.endsWith('\n') && answer.size() <= MaxLine) {
        if (!socket.bytesAvailable() && !socket.waitForReadyRead(timeoutMs))
            break;
        answer += socket.read(MaxLine + 1);
    }
    return answer == Confirmation;
}

bool InstanceChannel::askToRaise(int timeoutMs) const
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(RaiseRequest);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    // Written is enough: the running copy reads it from its own loop, which
    // this one does not wait for.
    socket.disconnectFromServer();
    return true;
}
