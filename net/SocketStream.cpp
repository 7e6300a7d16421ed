#include "net/SocketStream.h"

#include <QNetworkProxy>
#include <QSslSocket>
#include <QTcpSocket>

SocketStream::SocketStream() = default;

SocketStream::~SocketStream()
{
    close();
}

void SocketStream::open(const QString &host, quint16 port, bool secure, qint64 readBufferBytes, Events events)
{
    close();
    m_events = std::move(events);
    QSslSocket *encrypted = secure ? new QSslSocket : nullptr;
    m_socket.reset(encrypted ? encrypted : new QTcpSocket);
    QTcpSocket *socket = m_socket.get();
    socket->setProxy(QNetworkProxy::NoProxy);
    socket->setReadBufferSize(readBufferBytes);
    QObject::connect(socket, &QTcpSocket::readyRead, socket, [this] { m_events.readable(); });
    // The server's closing is the end of an answer read to its end; any
    // other error is a failed connection.
    auto ended = [this] {
        const auto error = m_socket->error();
        m_events.ended(error != QAbstractSocket::RemoteHostClosedError && error != QAbstractSocket::UnknownSocketError);
    };
    QObject::connect(socket, &QTcpSocket::disconnected, socket, ended);
    QObject::connect(socket, &QTcpSocket::errorOccurred, socket, ended);
    if (encrypted) {
        QObject::connect(encrypted, &QSslSocket::encrypted, socket, [this] { m_events.ready(); });
        encrypted->connectToHostEncrypted(host, port);
    } else {
        QObject::connect(socket, &QTcpSocket::connected, socket, [this] { m_events.ready(); });
        socket->connectToHost(host, port);
    }
}

void SocketStream::write(const QByteArray &bytes)
{
    if (m_socket)
        m_socket->write(bytes);
}

qint64 SocketStream::bytesAvailable() const
{
    return m_socket ? m_socket->bytesAvailable() : 0;
}

QByteArray SocketStream::read(qint64 maxBytes)
{
    return m_socket ? m_socket->read(maxBytes) : QByteArray();
}

void SocketStream::close()
{
    if (!m_socket)
        return;
    m_socket->disconnect();
    m_socket->abort();
}
