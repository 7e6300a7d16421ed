#pragma once

#include <QObject>
#include <QPointer>

class QNetworkAccessManager;
class QNetworkReply;
class QSaveFile;

// Copies one web resource into one local file without holding up the
// window: redirects are followed, only a 2xx answer with its whole body
// counts, a transfer that makes no progress for stallMs or grows past
// capBytes fails, and the destination is replaced only on success.
class clsDownload : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultStallMs = 30'000;

    clsDownload(QNetworkAccessManager &network, QObject *parent = nullptr);
    ~clsDownload() override;

    // Starts the download; finished() follows, also for a bad address or
    // destination, never before this returns.
    void Get_File(const QString &url, const QString &path, qint64 capBytes, int stallMs = DefaultStallMs);

Q_SIGNALS:
    void finished(bool ok);

private:
    void onReadyRead();
    void onFinished();
    void fail();

    QNetworkAccessManager &m_network;
    QPointer<QNetworkReply> m_reply;
    QSaveFile *m_file = nullptr;
    qint64 m_cap = 0;
    qint64 m_received = 0;
    bool m_overCap = false;
    bool m_writeFailed = false;
};
