#include "core/SwfCheck.h"
#include "core/clsDownload.h"

#include <QTest>
#include <QtEndian>

namespace {

QByteArray header(const char *signature, quint32 declared)
{
    QByteArray h(signature);
    h += char(10);
    QByteArray length(4, '\0');
    qToLittleEndian<quint32>(declared, length.data());
    return h + length;
}

} // namespace

class TestDownloadChecks : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void swf_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<int>("verdict");
        const int movie = int(SwfVerdict::Movie);
        const int notMovie = int(SwfVerdict::NotAMovie);
        const int incomplete = int(SwfVerdict::Incomplete);
        const int tooLarge = int(SwfVerdict::TooLarge);
        QTest::newRow("plain, whole") << header("FWS", 500) << qint64(500) << movie;
        QTest::newRow("plain, cut short") << header("FWS", 500) << qint64(101) << incomplete;
        QTest::newRow("plain, longer than declared") << header("FWS", 500) << qint64(600) << incomplete;
        QTest::newRow("zlib") << header("CWS", 5000) << qint64(300) << movie;
        QTest::newRow("zlib, 64 MiB unpacked") << header("CWS", 64u << 20) << qint64(1 << 20) << movie;
        QTest::newRow("zlib, a byte more") << header("CWS", (64u << 20) + 1) << qint64(1 << 20) << tooLarge;
        QTest::newRow("zlib, 3 GiB unpacked") << header("CWS", 3u << 30) << qint64(1 << 20) << tooLarge;
        QTest::newRow("plain, 3 GiB") << header("FWS", 3u << 30) << qint64(3) * (1 << 30) << tooLarge;
        QTest::newRow("text") << QByteArray("hello, world") << qint64(12) << notMovie;
        QTest::newRow("lower case signature") << header("fws", 8) << qint64(8) << notMovie;
        QTest::newRow("header cut short") << header("FWS", 7).left(7) << qint64(7) << notMovie;
    }
    void swf()
    {
        QFETCH(QByteArray, head);
        QFETCH(qint64, size);
        QFETCH(int, verdict);
        QCOMPARE(int(checkSwf(head, size)), verdict);
    }

    void redirect_data()
    {
        QTest::addColumn<QString>("origin");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("allowed");
        const QString origin = QStringLiteral("http://ads.example.org/pro/me.swf");
        QTest::newRow("same host, other path") << origin << "http://ads.example.org/other/me.swf" << true;
        QTest::newRow("up to https") << origin << "https://ads.example.org/x" << true;
        QTest::newRow("default port written out") << origin << "http://ads.example.org:80/x" << true;
        QTest::newRow("other port") << origin << "http://ads.example.org:8080/x" << false;
        QTest::newRow("other host") << origin << "http://cdn.example.org/x" << false;
        QTest::newRow("LAN address") << origin << "http://192.168.1.1/x" << false;
        QTest::newRow("down to http") << "https://ads.example.org/x" << "http://ads.example.org/x" << false;
        QTest::newRow("file") << origin << "file:///etc/passwd" << false;
    }
    void redirect()
    {
        QFETCH(QString, origin);
        QFETCH(QString, target);
        QFETCH(bool, allowed);
        QCOMPARE(clsDownload::redirectAllowed(QUrl(origin), QUrl(target)), allowed);
    }
};

QTEST_GUILESS_MAIN(TestDownloadChecks)
#include "tst_downloadchecks.moc"
