#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class SaveFile;

// Copies one web resource into one local file without holding up the
// window. The body is taken as it arrives, a little at a time, and written
// straight to the destination's temporary; only a 2xx answer with its whole
// body counts. A download fails when its body grows past its cap, its
// headers past HeaderCapBytes, it makes no progress for stallMs, it has not
// ended after deadlineMs, or it is redirected anywhere but the same host
// (more than MaxRedirects times). The destination is replaced only on
// success.
class clsDownload : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultStallMs = 30'000;
    static constexpr int DefaultDeadlineMs = 60'000;
    static constexpr qint64 HeaderCapBytes = 64 * 1024;
    // What the network layer may hold for us at a time: it reads no more
    // from the server until this has been taken.
    static constexpr qint64 ReadBufferBytes = 64 * 1024;
    static constexpr int MaxRedirects = 3;

    struct Limits
    {
        qint64 capBytes = 0;
        int stallMs = DefaultStallMs;
        int deadlineMs = DefaultDeadlineMs;
    };

    clsDownload(QNetworkAccessManager &network, QObject *parent = nullptr);
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
    void onReadyRead();
    // The answer's Content-Length: NoLength without one, BadLength for one
    // that is not a single whole number.
    static constexpr qint64 NoLength = -1;
    static constexpr qint64 BadLength = -2;
    qint64 declaredLength() const;
    bool headersAcceptable() const;
    void onMetaData();
    void request(const QUrl &address);
    bool redirecting() const;
    void onFinished();
    void giveUp();
    void fail();

    QNetworkAccessManager &m_network;
    QPointer<QNetworkReply> m_reply;
    SaveFile *m_file = nullptr;
    QTimer m_deadline;
    QUrl m_origin;
    qint64 m_cap = 0;
    qint64 m_received = 0;
    int m_stallMs = DefaultStallMs;
    int m_redirects = 0;
    bool m_givenUp = false;
    bool m_writeFailed = false;
};
