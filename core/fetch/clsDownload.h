#pragma once

#include "core/fetch/HttpResponseParser.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

class HttpGet;
class NetworkKit;
class SaveFile;

// Copies one web resource into one local file without holding up the
// window. The body is taken as it arrives, a little at a time, and written
// straight to the destination's temporary; only a 2xx answer with its whole
// body counts. A download fails when its body grows past its cap, its
// headers past HeaderCapBytes, it makes no progress for stallMs, it has not
// ended after deadlineMs, or it is redirected anywhere but the same host
// (more than MaxRedirects times). The destination is replaced only on
// success. Each hop is one GET on a connection of its own (HttpGet), in
// this thread: nothing runs in the background once the download ended.
// Without a network kit every download fails as an unreachable server's.
class clsDownload : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultStallMs = 30'000;
    static constexpr int DefaultDeadlineMs = 60'000;
    static constexpr qint64 HeaderCapBytes = HttpResponseParser::HeaderCapBytes;
    static constexpr int MaxRedirects = 3;

    struct Limits
    {
        qint64 capBytes = 0;
        int stallMs = DefaultStallMs;
        int deadlineMs = DefaultDeadlineMs;
    };

    explicit clsDownload(NetworkKit *kit, QObject *parent = nullptr);
    ~clsDownload() override;

    // Starts the download; finished() follows, also for a bad address or
    // destination, never before this returns.
    void Get_File(const QString &url, const QString &path, const Limits &limits);

    // Whether a download of origin may follow a redirect to target: the
    // same host, and the same scheme and port or a move from http to https
    // on its default port.
    static bool redirectAllowed(const QUrl &origin, const QUrl &target);

Q_SIGNALS:
    void finished(bool ok);

private:
    void request(const QUrl &address);
    void onHead();
    void onBody(const QByteArray &piece);
    void onFinished(bool whole);
    // Closes the connection of the hop under way, if any.
    void drop();
    void giveUp();
    void fail();

    NetworkKit *m_kit;
    QPointer<HttpGet> m_get;
    SaveFile *m_file = nullptr;
    QTimer m_deadline;
    QUrl m_origin;
    QUrl m_current;
    qint64 m_cap = 0;
    int m_stallMs = DefaultStallMs;
    int m_redirects = 0;
};
