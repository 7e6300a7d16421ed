#include "core/fetch/HttpGet.h"

#include "core/fetch/NetworkKit.h"

#include <algorithm>

namespace {

bool https(const QUrl &url)
{
    return url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
}

quint16 portOf(const QUrl &url)
{
    return quint16(url.port(https(url) ? 443 : 80));
}

} // namespace

HttpGet::HttpGet(NetworkKit *kit, const QUrl &url, qint64 bodyCap, int stallMs, QObject *parent)
    : QObject(parent)
    , m_kit(kit)
    , m_url(url)
    , m_parser(bodyCap)
{
    m_stall.setSingleShot(true);
    m_stall.setInterval(stallMs);
    connect(&m_stall, &QTimer::timeout, this, [this] { end(false); });
}

HttpGet::~HttpGet()
{
    abort();
}

QByteArray HttpGet::requestFor(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    QByteArray host = url.host(QUrl::FullyEncoded).toLatin1();
    if ((scheme != QLatin1String("http") && scheme != QLatin1String("https")) || host.isEmpty() || url.port() == 0)
        return {};
    if (host.contains(':'))
        host = '[' + host + ']';
    if (url.port() != -1 && url.port() != (https(url) ? 443 : 80))
        host += ':' + QByteArray::number(url.port());
    QByteArray target = url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
    if (target.isEmpty())
        target = "/";
    // The encoded form escapes blanks and line ends; anything else that
    // would end the line early is no address to send.
    for (const QByteArray &part : {host, target}) {
        if (std::any_of(part.begin(), part.end(),
                        [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == 0x7f; }))
            return {};
    }
    if (!target.startsWith('/'))
        return {};
    return "GET " + target + " HTTP/1.1\r\nHost: " + host
        + "\r\nUser-Agent: Mozilla/5.0\r\nAccept-Encoding: identity\r\nConnection: close\r\n\r\n";
}

void HttpGet::start()
{
    // The connection is begun from the event loop, so that even a failure
    // found at once is told after this returns.
    QMetaObject::invokeMethod(this, &HttpGet::connectToServer, Qt::QueuedConnection);
}

void HttpGet::connectToServer()
{
    if (m_ended)
        return;
    const QByteArray request = requestFor(m_url);
    if (request.isEmpty()) {
        end(false);
        return;
    }
    if (!m_kit) {
        end(false);
        return;
    }
    m_stream = m_kit->makeStream();
    ByteStream::Events events;
    events.ready = [this, request] { m_stream->write(request); };
    events.readable = [this] { onReadyRead(); };
    events.ended = [this](bool failed) { onEnded(failed); };
    m_stall.start();
    m_stream->open(m_url.host(), portOf(m_url), https(m_url), ReadBytes, std::move(events));
}

void HttpGet::onReadyRead()
{
    while (!m_ended && m_stream->bytesAvailable() > 0) {
        m_stall.start();
        const bool headBefore = m_parser.headRead();
        QByteArray body;
        if (!m_parser.feed(m_stream->read(ReadBytes), body)) {
            end(false);
            return;
        }
        if (!headBefore && m_parser.headRead()) {
            Q_EMIT headReceived();
            if (m_ended)
                return;
        }
        if (!body.isEmpty()) {
            Q_EMIT bodyReceived(body);
            if (m_ended)
                return;
        }
        if (m_parser.state() == HttpResponseParser::State::Done) {
            end(true);
            return;
        }
    }
}

void HttpGet::onEnded(bool failed)
{
    if (m_ended)
        return;
    // What arrived before the server closed is still to be read; anything
    // but its closing is a failed connection.
    if (failed) {
        end(false);
        return;
    }
    onReadyRead();
    if (!m_ended)
        end(m_parser.endOfInput());
}

void HttpGet::end(bool whole)
{
    if (m_ended)
        return;
    abort();
    Q_EMIT finished(whole);
}

void HttpGet::abort()
{
    m_ended = true;
    m_stall.stop();
    if (m_stream)
        m_stream->close();
}
