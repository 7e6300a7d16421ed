#include "platform/windows/PipeChannelListener.h"

#include "platform/InstanceChannel.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

ChannelListener *ChannelListener::create(Answer answer, QObject *parent)
{
    return new PipeChannelListener(std::move(answer), parent);
}

PipeChannelListener::PipeChannelListener(Answer answer, QObject *parent)
    : ChannelListener(parent)
    , m_answer(std::move(answer))
    , m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &PipeChannelListener::accept);
}

bool PipeChannelListener::listen(const QString &name)
{
    if (m_server->listen(name))
        return true;
    QLocalServer::removeServer(name);
    return m_server->listen(name);
}

bool PipeChannelListener::listening() const
{
    return m_server->isListening();
}

void PipeChannelListener::accept()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { read(socket); });
        QTimer::singleShot(QuietCallerMs, socket, &QObject::deleteLater);
        read(socket);
    }
}

void PipeChannelListener::read(QLocalSocket *socket)
{
    if (!socket->canReadLine()) {
        // A caller that sends no line end in a line's room is not waited for.
        if (socket->bytesAvailable() > InstanceChannel::MaxLine)
            socket->abort();
        return;
    }
    const QByteArray line = socket->readLine(InstanceChannel::MaxLine + 1);
    if (line.endsWith('\n'))
        socket->write(m_answer(line));
    socket->disconnectFromServer();
}
