#include "core/fetch/clsDownload.h"

#include "core/fetch/HttpGet.h"
#include "core/settings/RegularFile.h"
#include "core/settings/SaveFile.h"

clsDownload::clsDownload(NetworkKit *kit, QObject *parent)
    : QObject(parent)
    , m_kit(kit)
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &clsDownload::giveUp);
}

clsDownload::~clsDownload()
{
    drop();
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
    const bool web =
        address.isValid() && (address.scheme() == QLatin1String("http") || address.scheme() == QLatin1String("https"));
    m_file = new SaveFile(path.trimmed());
    if (!web || path.trimmed().isEmpty() || !clearForRegularFile(path.trimmed()) || !m_file->open()) {
        QTimer::singleShot(0, this, &clsDownload::fail);
        return;
    }
    m_origin = address;
    m_stallMs = limits.stallMs;
    m_deadline.start(limits.deadlineMs);
    request(address);
}

void clsDownload::request(const QUrl &address)
{
    // Redirects are followed here, one connection at a time, so that each
    // hop is checked before anything is sent to it.
    m_current = address;
    m_get = new HttpGet(m_kit, address, m_cap, m_stallMs, this);
    connect(m_get, &HttpGet::headReceived, this, &clsDownload::onHead);
    connect(m_get, &HttpGet::bodyReceived, this, &clsDownload::onBody);
    connect(m_get, &HttpGet::finished, this, &clsDownload::onFinished);
    m_get->start();
}

void clsDownload::onHead()
{
    const int status = m_get->response().status();
    const QList<QByteArray> location = m_get->response().values("Location");
    const bool redirect = status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
    if (redirect && location.size() == 1) {
        // A redirect's own body is not the resource: its connection ends here.
        drop();
        const QUrl target = m_current.resolved(QUrl(QString::fromUtf8(location.first())));
        if (++m_redirects > MaxRedirects || !redirectAllowed(m_origin, target)) {
            fail();
            return;
        }
        request(target);
        return;
    }
    // Nor is the body of any answer but a success.
    if (status < 200 || status >= 300) {
        drop();
        fail();
    }
}

void clsDownload::onBody(const QByteArray &piece)
{
    if (!m_file->write(piece)) {
        drop();
        fail();
    }
}

void clsDownload::onFinished(bool whole)
{
    m_get->deleteLater();
    m_get = nullptr;
    if (!whole) {
        fail();
        return;
    }
    m_deadline.stop();
    // Every piece was checked as it was written; the commit checks the
    // sync and the rename, and leaves the old file when either fails.
    const bool committed = m_file->commit();
    delete m_file;
    m_file = nullptr;
    Q_EMIT finished(committed);
}

void clsDownload::drop()
{
    if (m_get) {
        m_get->abort();
        m_get->deleteLater();
        m_get = nullptr;
    }
}

void clsDownload::giveUp()
{
    drop();
    fail();
}

void clsDownload::fail()
{
    m_deadline.stop();
    delete m_file; // throws the temporary away
    m_file = nullptr;
    Q_EMIT finished(false);
}
