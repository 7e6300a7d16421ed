#include "common/SwfWriter.h"
#include "core/SwfCheck.h"
#include "core/clsDownload.h"

#include <QBuffer>
#include <QElapsedTimer>
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
        using SwfWriter::packed;
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("verdict");
        const int movie = int(SwfVerdict::Movie);
        const int notMovie = int(SwfVerdict::NotAMovie);
        const int incomplete = int(SwfVerdict::Incomplete);
        const int tooLarge = int(SwfVerdict::TooLarge);
        const QByteArray body = SwfWriter::movie(false).mid(8);
        const quint32 length = quint32(8 + body.size());
        // Eight megabytes of zeros pack into a few kilobytes.
        const QByteArray zeros(8 << 20, '\0');
        QTest::newRow("plain, whole") << packed("FWS", length, body) << movie;
        QTest::newRow("plain, cut short") << packed("FWS", length, body).chopped(1) << incomplete;
        QTest::newRow("plain, longer than declared") << packed("FWS", length, body) + "x" << incomplete;
        QTest::newRow("plain, 3 GiB") << header("FWS", 3u << 30) << tooLarge;
        for (const char *signature : {"CWS", "ZWS"}) {
            const QByteArray whole = packed(signature, length, body);
            const auto row = [signature](const char *name) {
                return &QTest::addRow("%s, %s", signature, name);
            };
            *row("whole") << whole << movie;
            *row("cut in half") << whole.left(whole.size() / 2) << incomplete;
            *row("last byte missing") << whole.chopped(1) << incomplete;
            *row("something after the stream") << whole + QByteArray(1, '\0') << incomplete;
            *row("shorter than declared") << packed(signature, length + 1, body) << incomplete;
            *row("a bomb declaring 1000 bytes") << packed(signature, 1000, zeros) << incomplete;
            *row("exactly 64 MiB") << packed(signature, 64u << 20, QByteArray((64 << 20) - 8, '\0')) << movie;
            *row("a byte more than 64 MiB") << header(signature, (64u << 20) + 1) + whole.mid(8) << tooLarge;
            *row("3 GiB") << header(signature, 3u << 30) + whole.mid(8) << tooLarge;
        }
        // The dictionary an LZMA movie asks for is at most the movie's size.
        QByteArray hugeDictionary = packed("ZWS", length, body);
        qToLittleEndian<quint32>(0xFFFFFFFFu, hugeDictionary.data() + 13);
        QTest::newRow("ZWS, asks for a 4 GiB dictionary") << hugeDictionary << movie;
        QTest::newRow("CWS, damaged") << packed("CWS", length, body).replace(20, 4, "\xFF\xFF\xFF\xFF") << incomplete;
        QTest::newRow("text") << QByteArray("hello, world") << notMovie;
        QTest::newRow("lower case signature") << header("fws", 8) << notMovie;
        QTest::newRow("header cut short") << header("FWS", 7).left(7) << notMovie;
    }
    void swf()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, verdict);
        QBuffer buffer(&file);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        QElapsedTimer watch;
        watch.start();
        QCOMPARE(int(checkSwf(buffer)), verdict);
        qInfo("checked in %lld ms", watch.elapsed());
    }

    void redirect_data()
    {
        QTest::addColumn<QString>("origin");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("allowed");
        const QString origin = QStringLiteral("http://ads.example.org/pro/me.swf");
        QTest::newRow("same host, other path") << origin << "http://ads.example.org/other/me.swf" << true;
        QTest::newRow("up to https") << origin << "https://ads.example.org/x" << true;
        QTest::newRow("up to https, its port written out") << origin << "https://ads.example.org:443/x" << true;
        QTest::newRow("up to https on another port") << origin << "https://ads.example.org:8443/x" << false;
        QTest::newRow("up to https on http's port") << origin << "https://ads.example.org:80/x" << false;
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
