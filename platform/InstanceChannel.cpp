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
    if (socket->bytesAvailable() < RaiseRequest.size())
        return;
    const QByteArray words = socket->read(RaiseRequest.size());
    socket->disconnectFromServer();
    if (words == RaiseRequest)
        Q_EMIT raiseRequested();
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
