#include "platform/InstanceChannel.h"

#include <QElapsedTimer>
#include <QFile>
#include <QScopeGuard>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <future>

#ifdef Q_OS_UNIX
#include <csignal>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

// The line from a refused copy to the running one.
class TestInstanceChannel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void aRefusedCopyReachesTheRunningOne()
    {
        InstanceChannel running(m_dir->path());
        QVERIFY(running.listen());
        QSignalSpy raised(&running, &InstanceChannel::raiseRequested);
        QVERIFY(InstanceChannel(m_dir->path()).askToRaise());
        QVERIFY(raised.wait(5000));
        QCOMPARE(raised.count(), 1);
    }

    void nobodyListeningAnswersAtOnce()
    {
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!InstanceChannel(m_dir->path()).askToRaise(3000));
        QVERIFY(clock.elapsed() < 3000);
    }

    void otherFoldersDoNotMeet()
    {
        QTemporaryDir other;
        InstanceChannel running(other.path());
        QVERIFY(running.listen());
        QVERIFY(!InstanceChannel(m_dir->path()).askToRaise());
    }

    void whatALostCopyLeftIsReplaced_data()
    {
        QTest::addColumn<QString>("left");
        QTest::newRow("plain file") << "file";
#ifdef Q_OS_UNIX
        QTest::newRow("socket nobody listens on") << "socket";
#endif
    }
    void whatALostCopyLeftIsReplaced()
    {
        QFETCH(QString, left);
        const QString name = InstanceChannel::serverNameFor(m_dir->path());
        if (left == QLatin1String("file")) {
            QFile f(name);
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else {
            leaveSocket(name);
        }
        QVERIFY(QFile::exists(name));
        // Refused at once rather than held up by what lies there.
        QVERIFY(!InstanceChannel(m_dir->path()).askToRaise(3000));

        InstanceChannel running(m_dir->path());
        QVERIFY(running.listen());
        QSignalSpy raised(&running, &InstanceChannel::raiseRequested);
        QVERIFY(InstanceChannel(m_dir->path()).askToRaise());
        QVERIFY(raised.wait(5000));
    }

    void otherWordsRaiseNothing()
    {
        InstanceChannel running(m_dir->path());
        QVERIFY(running.listen());
        QSignalSpy raised(&running, &InstanceChannel::raiseRequested);
        QLocalSocket caller;
        caller.connectToServer(InstanceChannel::serverNameFor(m_dir->path()));
        QVERIFY(caller.waitForConnected(3000));
        caller.write("lower\n");
        // The running copy hangs up once it has read a request's length.
        QTRY_COMPARE_WITH_TIMEOUT(caller.state(), QLocalSocket::UnconnectedState, 5000);
        QCOMPARE(raised.count(), 0);
    }

    // A request from the command line reaches the running copy, which
    // confirms only what it understood.
    void requests_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("heard"); // which signal came, "" none
        QTest::addColumn<int>("minutes");
        QTest::newRow("pause 30m") << QByteArray("pause 30m\n") << "pause" << 30;
        QTest::newRow("pause until tomorrow") << QByteArray("pause tomorrow\n") << "pause" << 0;
        QTest::newRow("resume") << QByteArray("resume\n") << "resume" << -1;
        QTest::newRow("show now") << QByteArray("show-now\n") << "show" << -1;
        QTest::newRow("pause of no length") << QByteArray("pause forever\n") << "" << -1;
        QTest::newRow("no line end") << QByteArray(200, 'x') << "" << -1;
        QTest::newRow("line past its room") << QByteArray("resume" + QByteArray(70, ' ') + '\n') << "" << -1;
    }
    void requests()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, heard);
        QFETCH(int, minutes);
        InstanceChannel running(m_dir->path());
        QVERIFY(running.listen());
        QSignalSpy paused(&running, &InstanceChannel::pauseRequested);
        QSignalSpy resumed(&running, &InstanceChannel::resumeRequested);
        QSignalSpy shown(&running, &InstanceChannel::showNowRequested);
        // The caller waits for the answer, which this thread's loop gives.
        const QString folder = m_dir->path();
        std::future<bool> sent = std::async(std::launch::async, [folder, line] { return InstanceChannel(folder).send(line, 3000); });
        QTRY_VERIFY_WITH_TIMEOUT(sent.wait_for(std::chrono::seconds(0)) == std::future_status::ready, 8000);
        QCOMPARE(sent.get(), !heard.isEmpty());
        QCOMPARE(paused.count(), heard == QLatin1String("pause") ? 1 : 0);
        QCOMPARE(resumed.count(), heard == QLatin1String("resume") ? 1 : 0);
        QCOMPARE(shown.count(), heard == QLatin1String("show") ? 1 : 0);
        if (!paused.isEmpty()) {
            const auto length = paused.first().first().value<PauseSpan>();
            QCOMPARE(length.untilTomorrow ? 0 : length.minutes, minutes);
        }
    }

    void withNoCopyRunningARequestFails()
    {
        QVERIFY(!InstanceChannel(m_dir->path()).send("resume\n", 1000));
    }

    void aQuietCallerIsHungUpOn()
    {
        InstanceChannel running(m_dir->path());
        QVERIFY(running.listen());
        QLocalSocket caller;
        caller.connectToServer(InstanceChannel::serverNameFor(m_dir->path()));
        QVERIFY(caller.waitForConnected(3000));
        QTRY_COMPARE_WITH_TIMEOUT(caller.state(), QLocalSocket::UnconnectedState, 10000);
        // Still there for the next one.
        QSignalSpy raised(&running, &InstanceChannel::raiseRequested);
        QVERIFY(InstanceChannel(m_dir->path()).askToRaise());
        QVERIFY(raised.wait(5000));
    }

    // A caller that lingers, says too much or leaves before its answer
    // holds up no later one, nor ends the running copy.
    void otherCallersAreNotHeldUp_data()
    {
        QTest::addColumn<QByteArray>("said");
        QTest::addColumn<bool>("leaves");
        QTest::newRow("nothing") << QByteArray() << false;
        QTest::newRow("half a line") << QByteArray("rai") << false;
        QTest::newRow("past a line's room") << QByteArray(200, 'x') << false;
        QTest::newRow("gone before the answer") << QByteArray("resume\n") << true;
    }
    void otherCallersAreNotHeldUp()
    {
        QFETCH(QByteArray, said);
        QFETCH(bool, leaves);
#ifdef Q_OS_UNIX
        // Qt's own sockets, which this test calls with, have the whole
        // process ignore a broken pipe; the program has no such help.
        const auto ignored = std::signal(SIGPIPE, SIG_DFL);
        const auto restoring = qScopeGuard([ignored] { std::signal(SIGPIPE, ignored); });
#endif
        InstanceChannel running(m_dir->path());
        QVERIFY(running.listen());
        QSignalSpy raised(&running, &InstanceChannel::raiseRequested);
        QSignalSpy resumed(&running, &InstanceChannel::resumeRequested);
        QLocalSocket caller;
        caller.connectToServer(InstanceChannel::serverNameFor(m_dir->path()));
        QVERIFY(caller.waitForConnected(3000));
        if (!said.isEmpty()) {
            caller.write(said);
            QVERIFY(caller.waitForBytesWritten(3000));
        }
        if (leaves)
            caller.abort();
        QElapsedTimer clock;
        clock.start();
        QVERIFY(InstanceChannel(m_dir->path()).askToRaise());
        QVERIFY(raised.wait(5000));
        QCOMPARE(resumed.count(), leaves ? 1 : 0);
        QTRY_COMPARE_WITH_TIMEOUT(caller.state(), QLocalSocket::UnconnectedState, 10000);
        // Too much is refused at once, not when a quiet caller would be.
        if (said.size() > InstanceChannel::MaxLine)
            QVERIFY(clock.elapsed() < 1500);
    }

private:
    // A socket bound at path and closed, as a copy killed while running
    // leaves it.
    static void leaveSocket(const QString &path)
    {
#ifdef Q_OS_UNIX
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(fd >= 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray bytes = QFile::encodeName(path);
        QVERIFY(bytes.size() < qsizetype(sizeof(address.sun_path)));
        memcpy(address.sun_path, bytes.constData(), size_t(bytes.size()));
        const int bound = ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address));
        ::close(fd);
        QCOMPARE(bound, 0);
#else
        Q_UNUSED(path);
#endif
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_MAIN(TestInstanceChannel)
#include "tst_instancechannel.moc"
