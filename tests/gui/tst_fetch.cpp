#include "announce/Announcer.h"
#include "announce/MovieStrip.h"
#include "announce/clsDownload.h"
#include "app/Form2.h"
#include "common/ManualClock.h"
#include "common/RecordingMessages.h"
#include "common/TestHttpServer.h"
#include "common/TestPlatform.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

const QString kText = Announcer::TextPath;
const QString kMovie = Announcer::MoviePath;

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void put(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A message box that stays open for a while, as a user would leave it,
// keeping the timers running underneath.
class SlowMessages final : public MessageBoxes
{
public:
    void inform(QWidget *, const QString &text) override
    {
        shown << text;
        QEventLoop loop;
        QTimer::singleShot(600, &loop, &QEventLoop::quit);
        loop.exec();
    }
    void warnInvalid(QWidget *, const QString &) override {}
    QStringList shown;
};

} // namespace

class TestFetch : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    TestHttpServer *m_server = nullptr;
    TestPlatform m_platform;
    RecordingMessages m_messages;
    ManualClock m_clock;

    QString data(const QString &name) const { return m_dir->path() + QStringLiteral("/murel/") + name; }

    // One run of the program against the test server.
    std::unique_ptr<Form2> run(MessageBoxes &messages)
    {
        auto form = std::make_unique<Form2>(m_platform, messages, m_clock);
        form->setPublisher(Publisher{m_server->base()});
        form->announcer()->setStallMs(400);
        return form;
    }
    bool fetch(Form2 &form)
    {
        QSignalSpy done(form.announcer(), &Announcer::fetchFinished);
        if (!form.load())
            return false;
        return !done.isEmpty() || done.wait(8000);
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        qputenv("windir", m_dir->path().toLocal8Bit());
        m_server = new TestHttpServer;
        m_platform.connected = true;
        m_messages.clear();
    }
    void cleanup()
    {
        delete m_server;
    }

    // The downloader alone.
    void download_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("fault");
        QTest::addColumn<qint64>("cap");
        QTest::addColumn<bool>("ok");
        QTest::newRow("200") << 200 << int(TestHttpServer::Fault::None) << qint64(1000) << true;
        QTest::newRow("204 empty is fine") << 204 << int(TestHttpServer::Fault::None) << qint64(1000) << true;
        QTest::newRow("404") << 404 << int(TestHttpServer::Fault::None) << qint64(1000) << false;
        QTest::newRow("500") << 500 << int(TestHttpServer::Fault::None) << qint64(1000) << false;
        QTest::newRow("truncated body") << 200 << int(TestHttpServer::Fault::Truncate) << qint64(1000) << false;
        QTest::newRow("stalled") << 200 << int(TestHttpServer::Fault::Stall) << qint64(1000) << false;
        QTest::newRow("endless body") << 200 << int(TestHttpServer::Fault::Endless) << qint64(100'000) << false;
        QTest::newRow("over the cap") << 200 << int(TestHttpServer::Fault::None) << qint64(10) << false;
    }
    void download()
    {
        QFETCH(int, status);
        QFETCH(int, fault);
        QFETCH(qint64, cap);
        QFETCH(bool, ok);
        const QByteArray body = status == 204 ? QByteArray() : QByteArray("announcement 1");
        m_server->route(QStringLiteral("/f"), {status, body, TestHttpServer::Fault(fault), {}});
        const QString target = m_dir->filePath(QStringLiteral("target"));
        put(target, "old");
        QNetworkAccessManager network;
        clsDownload d(network);
        QSignalSpy finished(&d, &clsDownload::finished);
        QElapsedTimer watch;
        watch.start();
        d.Get_File(m_server->base().toString() + QStringLiteral("/f"), target, cap, 400);
        QVERIFY(finished.wait(5000));
        QCOMPARE(finished.first().first().toBool(), ok);
        // Only a whole, good answer replaces the file.
        QCOMPARE(bytesOf(target), ok ? body : QByteArray("old"));
        QVERIFY(watch.elapsed() < 3000);
    }

    void downloadFollowsRedirects()
    {
        m_server->route(QStringLiteral("/old"), {302, {}, TestHttpServer::Fault::None, m_server->base().toString().toLatin1() + "/new"});
        m_server->route(QStringLiteral("/new"), {200, "moved", TestHttpServer::Fault::None, {}});
        QNetworkAccessManager network;
        clsDownload d(network);
        QSignalSpy finished(&d, &clsDownload::finished);
        const QString target = m_dir->filePath(QStringLiteral("t"));
        d.Get_File(QStringLiteral("  ") + m_server->base().toString() + QStringLiteral("/old "), target, 100);
        QVERIFY(finished.wait(5000));
        QVERIFY(finished.first().first().toBool());
        QCOMPARE(bytesOf(target), QByteArray("moved"));
    }

    void badAddressOrDestinationFails_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("path");
        QTest::newRow("empty address") << "" << "t";
        QTest::newRow("not the web") << "file:///etc/passwd" << "t";
        QTest::newRow("no such folder") << "http://127.0.0.1:9/x" << "no/such/folder/t";
    }
    void badAddressOrDestinationFails()
    {
        QFETCH(QString, url);
        QFETCH(QString, path);
        QNetworkAccessManager network;
        clsDownload d(network);
        QSignalSpy finished(&d, &clsDownload::finished);
        d.Get_File(url, m_dir->filePath(path), 100);
        QCOMPARE(finished.count(), 0); // never before the call returns
        QVERIFY(finished.wait(2000));
        QVERIFY(!finished.first().first().toBool());
    }

    void firstRunInstallsTheMovie()
    {
        m_server->route(kText, {200, "v1\r\n", TestHttpServer::Fault::None, {}});
        m_server->route(kMovie, {200, "FWSmovie", TestHttpServer::Fault::None, {}});
        auto form = run(m_messages);
        QVERIFY(fetch(*form));
        QCOMPARE(bytesOf(data(QStringLiteral("1.swf"))), QByteArray("FWSmovie"));
        QCOMPARE(bytesOf(data(QStringLiteral("text7.txt"))), QByteArray("v1\r\n"));
        QCOMPARE(m_messages.count(), 0);
        QCOMPARE(form->Label2->text(), Announcer::Online);
        QCOMPARE(form->Label2->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QVERIFY(!form->Timer3->isActive() && !form->Timer4->isActive());
        // The strip turns to the movie within a second, without a restart.
        QTRY_COMPARE_WITH_TIMEOUT(form->SF1->movie(), data(QStringLiteral("1.swf")), 1500);
    }

    void equalTextFetchesNothingMore()
    {
        put(data(QStringLiteral("text7.txt")), "v1");
        put(data(QStringLiteral("1.swf")), "installed");
        m_server->route(kText, {200, "v1", TestHttpServer::Fault::None, {}});
        m_server->route(kMovie, {200, "new", TestHttpServer::Fault::None, {}});
        auto form = run(m_messages);
        QVERIFY(fetch(*form));
        QCOMPARE(m_server->hits(kText), 1);
        QCOMPARE(m_server->hits(kMovie), 0);
        QCOMPARE(bytesOf(data(QStringLiteral("1.swf"))), QByteArray("installed"));
    }

    void textsDifferingInCaseOrBlanksDiffer()
    {
        put(data(QStringLiteral("text7.txt")), "v1");
        m_server->route(kText, {200, "V1 ", TestHttpServer::Fault::None, {}});
        m_server->route(kMovie, {200, "new", TestHttpServer::Fault::None, {}});
        auto form = run(m_messages);
        QVERIFY(fetch(*form));
        QCOMPARE(m_server->hits(kMovie), 1);
        QCOMPARE(bytesOf(data(QStringLiteral("text7.txt"))), QByteArray("V1 "));
    }

    void emptyServerTextOnAFirstRunInstallsNothing()
    {
        m_server->route(kText, {200, "", TestHttpServer::Fault::None, {}});
        auto form = run(m_messages);
        QVERIFY(fetch(*form));
        QCOMPARE(m_server->hits(kMovie), 0);
        QVERIFY(!QFile::exists(data(QStringLiteral("1.swf"))));
        QVERIFY(!QFile::exists(data(QStringLiteral("text7.txt"))));
        QCOMPARE(m_messages.count(), 0);
    }

    void serverDownGivesOneMessage()
    {
        m_server->shutDown();
        auto form = run(m_messages);
        QVERIFY(fetch(*form));
        QCOMPARE(m_messages.informed, QStringList{Announcer::ErrorMessage});
        QVERIFY(!QFile::exists(data(QStringLiteral("1.swf"))));
    }

    void failedMovieInstallsNothingAndIsRetried()
    {
        put(data(QStringLiteral("text7.txt")), "v1");
        put(data(QStringLiteral("wjk/1.swf")), "stale");
        m_server->route(kText, {200, "v2", TestHttpServer::Fault::None, {}});
        m_server->route(kMovie, {404, "", TestHttpServer::Fault::None, {}});
        {
            auto form = run(m_messages);
            QVERIFY(fetch(*form));
            QCOMPARE(m_messages.informed, QStringList{Announcer::ErrorMessage});
            QVERIFY(!QFile::exists(data(QStringLiteral("1.swf"))));
            QCOMPARE(bytesOf(data(QStringLiteral("text7.txt"))), QByteArray("v1"));
        }
        // The next run finds the texts still different and tries again.
        m_server->route(kMovie, {200, "movie v2", TestHttpServer::Fault::None, {}});
        m_messages.clear();
        auto again = run(m_messages);
        QVERIFY(fetch(*again));
        QCOMPARE(m_server->hits(kMovie), 2);
        QCOMPARE(bytesOf(data(QStringLiteral("1.swf"))), QByteArray("movie v2"));
        QCOMPARE(bytesOf(data(QStringLiteral("text7.txt"))), QByteArray("v2"));
        QCOMPARE(m_messages.count(), 0);
    }

    void stalledServerHitsTheTimeLimit()
    {
        m_server->route(kText, {200, "v", TestHttpServer::Fault::Stall, {}});
        auto form = run(m_messages);
        QElapsedTimer watch;
        watch.start();
        QVERIFY(fetch(*form));
        QCOMPARE(m_messages.informed, QStringList{Announcer::ErrorMessage});
        QVERIFY(watch.elapsed() < 4000);
    }

    void overCapTextFails()
    {
        m_server->route(kText, {200, QByteArray(Announcer::TextCap + 1, 'x'), TestHttpServer::Fault::None, {}});
        auto form = run(m_messages);
        QVERIFY(fetch(*form));
        QCOMPARE(m_messages.informed, QStringList{Announcer::ErrorMessage});
        QVERIFY(!QFile::exists(data(QStringLiteral("wjk/text8.txt"))));
    }

    void noSecondDownloadWhileTheMessageIsOpen()
    {
        m_server->shutDown();
        SlowMessages slow;
        auto form = run(slow);
        QVERIFY(fetch(*form));
        QCOMPARE(slow.shown, QStringList{Announcer::ErrorMessage});
        QCOMPARE(m_server->hits(kText), 0);
    }

    void fetchStartsSoonAfterGoingOnline()
    {
        m_platform.connected = false;
        m_server->route(kText, {200, "v", TestHttpServer::Fault::None, {}});
        auto form = run(m_messages);
        QSignalSpy done(form->announcer(), &Announcer::fetchFinished);
        QVERIFY(form->load());
        QTRY_COMPARE_WITH_TIMEOUT(form->Label2->text(), Announcer::Offline, 1500);
        QCOMPARE(form->Label2->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QTest::qWait(1200);
        QCOMPARE(m_server->hits(kText), 0);
        m_platform.connected = true;
        QElapsedTimer watch;
        watch.start();
        QTRY_COMPARE_WITH_TIMEOUT(m_server->hits(kText), 1, 2000);
        QVERIFY2(watch.elapsed() <= 1300, qPrintable(QString::number(watch.elapsed())));
        QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 3000);
        // Going off and on again fetches nothing more.
        m_platform.connected = false;
        QTest::qWait(1100);
        m_platform.connected = true;
        QTest::qWait(1300);
        QCOMPARE(m_server->hits(kText), 1);
    }

    void noServerConfiguredFetchesNothing()
    {
        auto form = std::make_unique<Form2>(m_platform, m_messages, m_clock);
        QVERIFY(form->load());
        QVERIFY(!form->Timer3->isActive());
        QTest::qWait(1300);
        QCOMPARE(m_server->hits(kText), 0);
        QCOMPARE(m_messages.count(), 0);
        QVERIFY(form->Image1->isVisible() || !form->isVisible());
        QVERIFY(!form->SF1->isVisibleTo(form.get()));
    }
};

QTEST_MAIN(TestFetch)
#include "tst_fetch.moc"
