#pragma once

#include <QByteArray>
#include <QHash>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <atomic>
#include <memory>

// A small HTTP/1.0 server on 127.0.0.1 for the download tests, able to
// misbehave on request: wrong status, a body cut short, a stall, a body
// that never ends (plain or chunked), a megabyte of headers, a body
// trickled a byte at a time, a body without a length cut off by closing,
// a body far shorter than its declared length, headers that never end, a
// redirect. It counts the connections still open.
class TestHttpServer : public QObject
{
public:
    enum class Fault {
        None,
        Truncate,
        Stall,
        Endless,
        EndlessChunked,
        HugeHeaders,
        Trickle,
        CloseDelimited,
        ShortOfLength,
        EndlessHeaders
    };

    struct Route
    {
        int status = 200;
        QByteArray body;
        Fault fault = Fault::None;
        QByteArray location; // for 3xx
    };

    explicit TestHttpServer(quint16 port = 0)
    {
        m_server.listen(QHostAddress::LocalHost, port);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = m_server.nextPendingConnection())
                serve(s);
        });
    }

    bool listening() const { return m_server.isListening(); }
    QUrl base() const { return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort())); }
    void route(const QString &path, const Route &r) { m_routes.insert(path, r); }
    int hits(const QString &path) const { return m_hits.value(path); }
    // Stops answering at all: the port refuses connections.
    void shutDown() { m_server.close(); }
    // Connections taken, and those not yet closed by either side (any
    // thread may ask).
    int connections() const { return m_connections; }
    int openConnections() const { return m_open; }

private:
    void serve(QTcpSocket *socket)
    {
        ++m_connections;
        ++m_open;
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::disconnected, this, [this] { --m_open; });
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
            m_pending[socket] += socket->readAll();
            const QByteArray &request = m_pending[socket];
            if (!request.contains("\r\n\r\n"))
                return;
            const QList<QByteArray> line = request.left(request.indexOf("\r\n")).split(' ');
            m_pending.remove(socket);
            const QString path = line.size() > 1 ? QString::fromLatin1(line.at(1)) : QString();
            ++m_hits[path];
            answer(socket, m_routes.value(path, Route{404, "not found", Fault::None, {}}));
        });
    }

    void answer(QTcpSocket *socket, const Route &r)
    {
        QByteArray head = "HTTP/1.0 " + QByteArray::number(r.status) + " X\r\nConnection: close\r\n";
        if (!r.location.isEmpty())
            head += "Location: " + r.location + "\r\n";
        switch (r.fault) {
        case Fault::None:
            socket->write(head + "Content-Length: " + QByteArray::number(r.body.size()) + "\r\n\r\n" + r.body);
            socket->disconnectFromHost();
            break;
        case Fault::Truncate:
            socket->write(head + "Content-Length: " + QByteArray::number(r.body.size() * 2) + "\r\n\r\n" + r.body);
            socket->disconnectFromHost();
            break;
        case Fault::Stall:
            // Headers and a little of the body, then nothing, ever.
            socket->write(head + "Content-Length: " + QByteArray::number(r.body.size() * 2) + "\r\n\r\n" + r.body);
            break;
        case Fault::Endless:
            socket->write(head + "\r\n");
            pump(socket, 1, [] { return QByteArray(256 * 1024, 'x'); });
            break;
        case Fault::EndlessChunked: {
            QByteArray chunked = "HTTP/1.1 200 X\r\nTransfer-Encoding: chunked\r\n\r\n";
            socket->write(chunked);
            pump(socket, 1, [] { return "40000\r\n" + QByteArray(256 * 1024, 'x') + "\r\n"; });
            break;
        }
        case Fault::HugeHeaders:
            for (int i = 0; i < 1024; ++i)
                head += "X-Filler-" + QByteArray::number(i) + ": " + QByteArray(1000, 'h') + "\r\n";
            socket->write(head + "Content-Length: " + QByteArray::number(r.body.size()) + "\r\n\r\n" + r.body);
            socket->disconnectFromHost();
            break;
        case Fault::Trickle: {
            socket->write(head + "Content-Length: " + QByteArray::number(r.body.size()) + "\r\n\r\n");
            auto sent = std::make_shared<qsizetype>(0);
            const QByteArray body = r.body;
            pump(socket, 100, [body, sent] { return *sent < body.size() ? body.mid((*sent)++, 1) : QByteArray(); });
            break;
        }
        case Fault::ShortOfLength:
            socket->write(head + "Content-Length: 99999999999999999999\r\n\r\n" + r.body);
            socket->disconnectFromHost();
            break;
        case Fault::EndlessHeaders: {
            socket->write(head);
            auto line = std::make_shared<qint64>(0);
            pump(socket, 1, [line] {
                QByteArray lines;
                for (int i = 0; i < 256; ++i)
                    lines += "X-Filler-" + QByteArray::number((*line)++) + ": " + QByteArray(1000, 'h') + "\r\n";
                return lines;
            });
            break;
        }
        case Fault::CloseDelimited:
            socket->write(head + "\r\n" + r.body);
            socket->disconnectFromHost();
            break;
        }
    }

    // Writes what next() gives every intervalMs while the client takes it.
    template <typename Next> void pump(QTcpSocket *socket, int intervalMs, Next next)
    {
        auto *timer = new QTimer(socket);
        QPointer<QTcpSocket> guard(socket);
        connect(timer, &QTimer::timeout, socket, [guard, next] {
            if (guard && guard->state() == QAbstractSocket::ConnectedState && guard->bytesToWrite() < (1 << 20))
                guard->write(next());
        });
        timer->start(intervalMs);
    }

    QTcpServer m_server;
    QHash<QString, Route> m_routes;
    QHash<QString, int> m_hits;
    QHash<QTcpSocket *, QByteArray> m_pending;
    std::atomic<int> m_connections = 0;
    std::atomic<int> m_open = 0;
};
