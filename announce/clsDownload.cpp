#include "announce/clsDownload.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>

clsDownload::clsDownload(QNetworkAccessManager &network, QObject *parent)
    : QObject(parent)
    , m_network(network)
{
}

clsDownload::~clsDownload()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
    }
    if (m_file)
        m_file->cancelWriting();
    delete m_file;
}

void clsDownload::Get_File(const QString &url, const QString &path, qint64 capBytes, int stallMs)
{
    m_cap = capBytes;
    const QUrl address(url.trimmed(), QUrl::StrictMode);
    const bool web = address.isValid() && (address.scheme() == QLatin1String("http") || address.scheme() == QLatin1String("https"));
    m_file = new QSaveFile(path.trimmed());
    if (!web || path.trimmed().isEmpty() || !m_file->open(QIODevice::WriteOnly)) {
        QTimer::singleShot(0, this, &clsDownload::fail);
        return;
    }
    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(stallMs);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    m_reply = m_network.get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &clsDownload::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &clsDownload::onFinished);
}

void clsDownload::onReadyRead()
{
    if (!m_reply)
        return;
    const QByteArray chunk = m_reply->readAll();
    m_received += chunk.size();
    if (m_received > m_cap) {
        // An endless or oversized body: stop taking it.
        m_overCap = true;
        m_reply->abort();
        return;
    }
    if (m_file->write(chunk) != chunk.size())
        m_writeFailed = true;
}

void clsDownload::onFinished()
{
    if (!m_reply)
        return;
    if (!m_overCap && m_reply->bytesAvailable() > 0)
        onReadyRead();
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    const bool whole = !length.isValid() || length.toLongLong() == m_received;
    const bool ok = m_reply->error() == QNetworkReply::NoError && status >= 200 && status < 300 && whole
        && !m_overCap && !m_writeFailed;
    m_reply->deleteLater();
    m_reply = nullptr;
    if (!ok) {
        fail();
        return;
    }
    const bool committed = m_file->commit();
    delete m_file;
    m_file = nullptr;
    Q_EMIT finished(committed);
}

void clsDownload::fail()
{
    if (m_file) {
        m_file->cancelWriting();
        delete m_file;
        m_file = nullptr;
    }
    Q_EMIT finished(false);
}
