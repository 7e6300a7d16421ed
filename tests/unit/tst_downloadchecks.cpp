#include "common/SwfWriter.h"
#include "core/fetch/HttpGet.h"
#include "core/fetch/HttpResponseParser.h"
#include "core/fetch/SwfCheck.h"
#include "core/fetch/SwfSound.h"
#include "core/fetch/clsDownload.h"

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

// How an answer read from a connection ends.
enum End {
    WholeBeforeClose,
    WholeAtClose,
    FailsReading,
    FailsAtClose
};

struct Reading
{
    int end;
    int status;
    QByteArray body;
};

// Feeds raw to a parser with a body cap of 100, piece bytes at a time, and
// closes the connection only if the answer is not yet whole or failed.
Reading readAnswer(const QByteArray &raw, qsizetype piece)
{
    HttpResponseParser parser(100);
    QByteArray body;
    bool failed = false;
    for (qsizetype at = 0; at < raw.size() && !failed; at += piece)
        failed = !parser.feed(QByteArrayView(raw).sliced(at, qMin(piece, raw.size() - at)), body);
    const int end = failed                                  ? FailsReading
        : parser.state() == HttpResponseParser::State::Done ? WholeBeforeClose
        : parser.endOfInput()                               ? WholeAtClose
                                                            : FailsAtClose;
    return {end, parser.status(), body};
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
            const auto row = [signature](const char *name) { return &QTest::addRow("%s, %s", signature, name); };
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

    void sound_data()
    {
        using SwfWriter::packed;
        using SwfWriter::tag;
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("sound");
        // The test movie's tags, with more put in before its End tag.
        const QByteArray quiet = SwfWriter::movie(false).mid(8);
        const auto with = [&quiet](const QByteArray &tags) { return quiet.chopped(2) + tags + tag(0, {}); };
        const auto fws = [](const QByteArray &body) { return packed("FWS", quint32(8 + body.size()), body); };
        const QByteArray defineSound = tag(14, SwfWriter::u16(1) + QByteArray(5, '\x20'));
        const auto sprite = [](const QByteArray &tags) {
            return tag(39, SwfWriter::u16(2) + SwfWriter::u16(1) + tags + tag(0, {}));
        };
        for (const char *signature : {"FWS", "CWS", "ZWS"}) {
            QTest::addRow("%s, silent", signature) << packed(signature, quint32(8 + quiet.size()), quiet) << false;
            const QByteArray loud = with(defineSound);
            QTest::addRow("%s, a sound", signature) << packed(signature, quint32(8 + loud.size()), loud) << true;
        }
        QTest::newRow("a sound started in a sprite") << fws(with(sprite(tag(15, SwfWriter::u16(1) + '\0')))) << true;
        QTest::newRow("a silent sprite") << fws(with(sprite(tag(1, {})))) << false;
        QTest::newRow("ActionScript 3") << fws(with(tag(82, QByteArray(8, '\0')))) << true;
        QTest::newRow("a sound after the End tag") << fws(quiet + defineSound) << false;
        QTest::newRow("a tag longer than the movie") << fws(with(tag(9, QByteArray(70, 'x'))).chopped(40)) << true;
        QTest::newRow("sprite longer than its tag")
            << fws(with(tag(39, SwfWriter::u16(2) + SwfWriter::u16(1) + "\x7f"))) << true;
        QTest::newRow("cut short") << packed("CWS", quint32(8 + quiet.size()), quiet).chopped(1) << true;
        QTest::newRow("not a movie") << QByteArray("hello, world") << true;
    }
    void sound()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, sound);
        QBuffer buffer(&file);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        QCOMPARE(swfMayPlaySound(buffer), sound);
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
        QTest::newRow("down to http") << "https://ads.example.org/x"
                                      << "http://ads.example.org/x" << false;
        QTest::newRow("file") << origin << "file:///etc/passwd" << false;
    }
    void redirect()
    {
        QFETCH(QString, origin);
        QFETCH(QString, target);
        QFETCH(bool, allowed);
        QCOMPARE(clsDownload::redirectAllowed(QUrl(origin), QUrl(target)), allowed);
    }

    void response_data()
    {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<int>("end");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        const auto row = [](const char *name, const QByteArray &raw, End end, int status = 0,
                            const QByteArray &body = {}) { QTest::newRow(name) << raw << int(end) << status << body; };
        const QByteArray ok = "HTTP/1.1 200 OK\r\n";
        const QByteArray chunked = ok + "Transfer-Encoding: chunked\r\n\r\n";
        row("length", ok + "Content-Length: 5\r\n\r\nhello", WholeBeforeClose, 200, "hello");
        row("what follows the length is not read", ok + "Content-Length: 2\r\n\r\nhello", WholeBeforeClose, 200, "he");
        row("bare line ends, HTTP/1.0", "HTTP/1.0 404 Not Found\nContent-Length: 2\n\nno", WholeBeforeClose, 404, "no");
        row("204 without reason, its length ignored", "HTTP/1.1 204\r\nContent-Length: 5\r\n\r\n", WholeBeforeClose,
            204);
        row("ended by closing", "HTTP/1.0 200 OK\r\n\r\nabc", WholeAtClose, 200, "abc");
        row("ended by closing, past the cap", "HTTP/1.0 200 OK\r\n\r\n" + QByteArray(101, 'x'), FailsReading);
        row("length at the cap", ok + "Content-Length: 100\r\n\r\n" + QByteArray(100, 'x'), WholeBeforeClose, 200,
            QByteArray(100, 'x'));
        row("length past the cap", ok + "Content-Length: 101\r\n\r\n", FailsReading);
        row("length of 20 digits", ok + "Content-Length: 99999999999999999999\r\n\r\n", FailsReading);
        row("short of its length", ok + "Content-Length: 10\r\n\r\nabc", FailsAtClose);
        row("equal lengths repeated", ok + "Content-Length: 3\r\nContent-Length: 3, 3\r\n\r\nabc", WholeBeforeClose,
            200, "abc");
        row("differing lengths", ok + "Content-Length: 3\r\nContent-Length: 4\r\n\r\nabcd", FailsReading);
        row("differing lengths in one list", ok + "Content-Length: 3, 4\r\n\r\nabcd", FailsReading);
        for (const char *length : {"+3", "-3", "3 3", "0x3", "3.0", ""})
            row(qPrintable(QStringLiteral("length \"%1\"").arg(QLatin1String(length))),
                ok + "Content-Length: " + length + "\r\n\r\nabc", FailsReading);
        row("chunked, with extension and trailer",
            chunked + "5;x=1\r\nhello\r\nA\r\n0123456789\r\n0\r\nX-T: 1\r\n\r\nrest", WholeBeforeClose, 200,
            "hello0123456789");
        row("chunked, cut off", chunked + "5\r\nhello\r\n", FailsAtClose);
        row("chunk longer than its size", chunked + "3\r\nabcd\r\n0\r\n\r\n", FailsReading);
        row("chunk size not hex", chunked + "g\r\n", FailsReading);
        row("chunk size with a sign", chunked + "-1\r\n", FailsReading);
        row("chunk size of 16 digits", chunked + "0000000000000001\r\nx\r\n", FailsReading);
        row("chunk-size line of 2000 bytes", chunked + "1;" + QByteArray(2000, 'e'), FailsReading);
        row("chunks past the cap", chunked + "3c\r\n" + QByteArray(60, 'x') + "\r\n3c\r\n", FailsReading);
        row("endless trailers", chunked + "0\r\n" + QByteArray("X-T: " + QByteArray(1000, 't') + "\r\n").repeated(70),
            FailsReading);
        for (const char *coding : {"gzip", "gzip, chunked", "chunked, chunked", "identity"})
            row(qPrintable(QStringLiteral("coding \"%1\"").arg(QLatin1String(coding))),
                ok + "Transfer-Encoding: " + coding + "\r\n\r\n0\r\n\r\n", FailsReading);
        row("chunked in HTTP/1.0", "HTTP/1.0 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n", FailsReading);
        row("chunked and a length", ok + "Transfer-Encoding: chunked\r\nContent-Length: 5\r\n\r\n0\r\n\r\n",
            FailsReading);
        row("100 header lines", ok + QByteArray("X-A: a\r\n").repeated(100) + "\r\nx", WholeAtClose, 200, "x");
        row("101 header lines", ok + QByteArray("X-A: a\r\n").repeated(101), FailsReading);
        row("one header line past 64 KiB", ok + "X-A: " + QByteArray(64 * 1024, 'h'), FailsReading);
        row("headers cut off", ok + "X-A: 1\r\n", FailsAtClose);
        row("nothing at all", "", FailsAtClose);
        row("folded header", ok + "X-A: 1\r\n 2\r\n\r\n", FailsReading);
        row("blank before the colon", ok + "Content-Length : 1\r\n\r\nx", FailsReading);
        row("NUL in a value", ok + QByteArray("X-A: a\0b\r\n\r\n", 13), FailsReading);
        row("carriage return inside a line", ok + "X-A: a\rb\r\n\r\n", FailsReading);
        row("HTTP/2 status line", "HTTP/2 200 OK\r\n\r\n", FailsReading);
        row("two-digit status", "HTTP/1.1 20 OK\r\n\r\n", FailsReading);
        row("four-digit status", "HTTP/1.1 2000 OK\r\n\r\n", FailsReading);
        row("not HTTP", "ICY 200 OK\r\n\r\n", FailsReading);
        row("interim answer first", "HTTP/1.1 103 Early Hints\r\nLink: x\r\n\r\n" + ok + "Content-Length: 2\r\n\r\nhi",
            WholeBeforeClose, 200, "hi");
        row("switching protocols", "HTTP/1.1 101 Switching Protocols\r\n\r\n", FailsReading);
    }
    void response()
    {
        QFETCH(QByteArray, raw);
        QFETCH(int, end);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        // However the connection cuts the answer into reads.
        for (const qsizetype piece : {raw.size() + 1, qsizetype(1)}) {
            const Reading reading = readAnswer(raw, piece);
            QCOMPARE(reading.end, end);
            if (end == WholeBeforeClose || end == WholeAtClose) {
                QCOMPARE(reading.status, status);
                QCOMPARE(reading.body, body);
            }
        }
    }

    void request_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("path and query, no fragment")
            << "http://ads.example.org/pro/me.txt?v=1#top"
            << QByteArray("GET /pro/me.txt?v=1 HTTP/1.1\r\nHost: ads.example.org\r\n");
        QTest::newRow("no path, another port")
            << "http://127.0.0.1:8080" << QByteArray("GET / HTTP/1.1\r\nHost: 127.0.0.1:8080\r\n");
        QTest::newRow("https, its port written out")
            << "https://ads.example.org:443/x" << QByteArray("GET /x HTTP/1.1\r\nHost: ads.example.org\r\n");
        QTest::newRow("IPv6, a blank in the path")
            << "http://[::1]:81/a b" << QByteArray("GET /a%20b HTTP/1.1\r\nHost: [::1]:81\r\n");
        QTest::newRow("not the web") << "ftp://ads.example.org/x" << QByteArray();
    }
    void request()
    {
        QFETCH(QString, url);
        QFETCH(QByteArray, start);
        const QByteArray request = HttpGet::requestFor(QUrl(url));
        QCOMPARE(request.left(start.size()), start);
        // Nothing that asks for a compressed, kept-open or cached answer.
        if (!start.isEmpty())
            QCOMPARE(request.sliced(start.size()),
                     "User-Agent: Mozilla/5.0\r\nAccept-Encoding: identity\r\nConnection: close\r\n\r\n");
    }
};

QTEST_GUILESS_MAIN(TestDownloadChecks)
#include "tst_downloadchecks.moc"
