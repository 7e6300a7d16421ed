#include "core/clsDownload.h"

#include "core/RegularFile.h"
#include "core/SaveFile.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>

clsDownload::clsDownload(QNetworkAccessManager &network, QObject *parent)
    : QObject(parent)
    , m_network(network)
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &clsDownload::giveUp);
}

clsDownload::~clsDownload()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
    }
    delete m_file;
}

bool clsDownload::redirectAllowed(const QUrl &origin, const QUrl &target)
{
    if (!target.isValid() || target.host().compare(origin.host(), Qt::CaseInsensitive) != 0 || target.host().isEmpty())
        return false;
    const QString from = origin.scheme().toLower();
    const QString to = target.scheme().toLower();
    if (from == to) {
        const int defaultPort = from == QLatin1String("https") ? 443 : 80;
        return origin.port(defaultPort) == target.port(defaultPort);
    }
    // The publisher's own move to https is on its standard port: any other
    // port of the host may be another service altogether.
    return from == QLatin1String("http") && to == QLatin1String("https") && target.port(443) == 443;
}

void clsDownload::Get_File(const QString &url, const QString &path, const Limits &limits)
{
    m_cap = limits.capBytes;
    const QUrl address(url.trimmed(), QUrl::StrictMode);
    const bool web = address.isValid() && (address.scheme() == QLatin1String("http") || address.scheme() == QLatin1String("https"));
    m_file = new SaveFile(path.trimmed());
    if (!web || path.trimmed().isEmpty() || !clearForRegularFile(path.trimmed()) || !m_file->open()) {
        QTimer::singleShot(0, this, &clsDownload::fail);
        return;
    }
    m_origin = address;
    m_stallMs = limits.stallMs;
    request(address);
    m_deadline.start(limits.deadlineMs);
}

void clsDownload::request(const QUrl &address)
{
    QNetworkRequest request(address);
    // Redirects are followed here, one request at a time, so that each
    // hop is checked before anything is sent to it.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(m_stallMs);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    // The body as sent, so that its length can be held to the declared one
    // (the network layer would unpack a compressed one on the way).
    request.setRawHeader("Accept-Encoding", "identity");
    m_reply = m_network.get(request);
    m_reply->setReadBufferSize(ReadBufferBytes);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &clsDownload::onMetaData);
    connect(m_reply, &QNetworkReply::readyRead, this, &clsDownload::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &clsDownload::onFinished);
}

bool clsDownload::redirecting() const
{
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return status >= 300 && status < 400 && m_reply->attribute(QNetworkRequest::RedirectionTargetAttribute).isValid();
}

qint64 clsDownload::declaredLength() const
{
    // The network layer takes a length it cannot read, or several, for
    // none and reads on until the server closes: such an answer is refused.
    if (!m_reply->hasRawHeader("Content-Length"))
        return NoLength;
    bool ok = false;
    const qint64 length = m_reply->rawHeader("Content-Length").trimmed().toLongLong(&ok);
    return ok && length >= 0 ? length : BadLength;
}

bool clsDownload::headersAcceptable() const
{
    const auto pairs = m_reply->rawHeaderPairs();
    qint64 headerBytes = 0;
    for (const auto &[name, value] : pairs)
        headerBytes += name.size() + value.size() + 4;
    const qint64 length = declaredLength();
    return headerBytes <= HeaderCapBytes && length != BadLength && length <= m_cap;
}

void clsDownload::onMetaData()
{
    // Refused as soon as they are known: what the server says it will
    // send would not be kept anyway.
    if (m_reply && !headersAcceptable())
        giveUp();
}

void clsDownload::onReadyRead()
{
    if (!m_reply)
        return;
    while (m_reply && m_reply->bytesAvailable() > 0) {
        const QByteArray chunk = m_reply->read(ReadBufferBytes);
        m_received += chunk.size();
        if (m_received > m_cap) {
            // An endless or oversized body: stop taking it.
            giveUp();
            return;
        }
        // A redirect's own body is not the resource.
        if (!m_writeFailed && !redirecting() && !m_file->write(chunk))
            m_writeFailed = true;
    }
}

void clsDownload::giveUp()
{
    m_givenUp = true;
    if (m_reply)
        m_reply->abort();
}

void clsDownload::onFinished()
{
    if (!m_reply)
        return;
    if (!m_givenUp && m_reply->bytesAvailable() > 0)
        onReadyRead();
    if (!m_reply)
        return;
    if (!m_givenUp && m_reply->error() == QNetworkReply::NoError && redirecting()) {
        const QUrl target = m_reply->url().resolved(m_reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl());
        m_reply->deleteLater();
        m_reply = nullptr;
        m_received = 0;
        if (++m_redirects > MaxRedirects || !redirectAllowed(m_origin, target)) {
            fail();
            return;
        }
        request(target);
        return;
    }
    m_deadline.stop();
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const qint64 length = declaredLength();
    const bool whole = length == NoLength || length == m_received;
    // The network layer drops every header of an answer whose headers it
    // finds too large, and goes on with the body: a web server's answer
    // with no header at all is one of those.
    const bool headers = !m_reply->rawHeaderPairs().isEmpty() && headersAcceptable();
    const bool ok = m_reply->error() == QNetworkReply::NoError && status >= 200 && status < 300 && whole
        && headers && !m_givenUp && !m_writeFailed;
    m_reply->deleteLater();
    m_reply = nullptr;
    if (!ok) {
        fail();
        return;
    }
    // Every piece was checked as it was written; the commit checks the
    // sync and the rename, and leaves the old file when either fails.
    const bool committed = m_file->commit();
    delete m_file;
    m_file = nullptr;
    Q_EMIT finished(committed);
}

void clsDownload::fail()
{
    m_deadline.stop();
    delete m_file; // throws the temporary away
    m_file = nullptr;
    Q_EMIT finished(false);
}
