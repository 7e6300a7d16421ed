#pragma once

#include "core/fetch/ByteStream.h"
#include "core/fetch/HttpResponseParser.h"

#include <QObject>
#include <QTimer>
#include <QUrl>
#include <memory>

class NetworkKit;

// One GET on a connection of its own, plain for http and with the
// certificate checked for https, run in the thread that owns it. The
// connection carries this one request; the answer is taken from it a read
// at a time through HttpResponseParser, so that nothing is held beyond one
// read and a server that sends more than the parser allows is cut off at
// that very read. The connection is closed as soon as the answer is whole,
// has failed, or the owner stops it. A connection that brings no byte for
// stallMs fails, and so does every GET without a network kit (its module
// could not be loaded): like a server that cannot be reached.
class HttpGet : public QObject
{
    Q_OBJECT
public:
    // What is taken from the connection at a time; the stream holds no
    // more than this for us either.
    static constexpr qint64 ReadBytes = 64 * 1024;

    HttpGet(NetworkKit *kit, const QUrl &url, qint64 bodyCap, int stallMs, QObject *parent = nullptr);
    ~HttpGet() override;

    // Connects and sends the request. Nothing is signalled before this
    // returns.
    void start();
    // Closes the connection at once; no signal follows.
    void abort();

    const HttpResponseParser &response() const { return m_parser; }

    // The request for url, or nothing for an address that cannot be asked
    // for this way.
    static QByteArray requestFor(const QUrl &url);

Q_SIGNALS:
    // The status and headers are known; the receiver may abort() here.
    void headReceived();
    // The next piece of the body; the receiver may abort() here.
    void bodyReceived(const QByteArray &piece);
    // The answer ended, whole or not (after a failed connection too).
    void finished(bool whole);

private:
    void connectToServer();
    void onReadyRead();
    void onEnded(bool failed);
    void end(bool whole);

    NetworkKit *m_kit;
    QUrl m_url;
    std::unique_ptr<ByteStream> m_stream;
    HttpResponseParser m_parser;
    QTimer m_stall;
    bool m_ended = false;
};
