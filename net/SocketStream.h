#pragma once

#include "core/fetch/ByteStream.h"

#include <memory>

class QTcpSocket;

// A ByteStream over Qt's sockets: QSslSocket for an encrypted stream,
// QTcpSocket otherwise, never through a proxy.
class SocketStream final : public ByteStream
{
public:
    SocketStream();
    ~SocketStream() override;

    void open(const QString &host, quint16 port, bool secure, qint64 readBufferBytes, Events events) override;
    void write(const QByteArray &bytes) override;
    qint64 bytesAvailable() const override;
    QByteArray read(qint64 maxBytes) override;
    void close() override;

private:
    std::unique_ptr<QTcpSocket> m_socket;
    Events m_events;
};
