#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// One connection to a server that carries bytes both ways, plain or
// encrypted with the server's certificate checked, in the thread that
// opens it. The classes behind it live in the network module, loaded only
// when a download needs them, so what happens on it is told through these
// callbacks rather than signals.
class ByteStream
{
public:
    struct Events
    {
        // Bytes may be written: connected, and for an encrypted stream
        // the certificate checked.
        std::function<void()> ready;
        // Bytes wait to be read.
        std::function<void()> readable;
        // The connection ended; failed unless the server closed it. What
        // arrived before may still be read. Told once or twice (a close
        // comes with its error), never after close().
        std::function<void(bool failed)> ended;
    };

    virtual ~ByteStream() = default;

    // Starts connecting; the events follow from the event loop. No more
    // than readBufferBytes wait unread at a time.
    virtual void open(const QString &host, quint16 port, bool secure, qint64 readBufferBytes, Events events) = 0;
    virtual void write(const QByteArray &bytes) = 0;
    virtual qint64 bytesAvailable() const = 0;
    virtual QByteArray read(qint64 maxBytes) = 0;
    // Drops the connection at once; no event follows.
    virtual void close() = 0;
};
