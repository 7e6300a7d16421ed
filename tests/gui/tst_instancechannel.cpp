#include "common/Sanitizer.h"
#include "platform/ChannelListener.h"
#include "platform/InstanceChannel.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <deque>
#include <future>
#include <thread>
#include <vector>

#ifdef Q_OS_UNIX
#include <QLocalSocket>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include "platform/windows/PipeChannelListener.h"
#endif

namespace {

// A caller the channel has no say over, as any local program can be: on
// Linux Qt's own socket, on Windows a bare end of the pipe.
class RawCaller
{
public:
    RawCaller() = default;
    RawCaller(const RawCaller &) = delete;
    RawCaller &operator=(const RawCaller &) = delete;
#ifdef Q_OS_UNIX
    bool connectTo(const QString &name)
    {
        m_socket.connectToServer(name);
        return m_socket.waitForConnected(3000);
    }
    bool write(const QByteArray &bytes)
    {
        m_socket.write(bytes);
        return m_socket.waitForBytesWritten(3000);
    }
    void abort()
    {
        m_socket.abort();
    }
    // Whether the running copy hung up.
    bool hungUp() const
    {
        return m_socket.state() == QLocalSocket::UnconnectedState;
    }

private:
    QLocalSocket m_socket;
#else
    ~RawCaller()
    {
        abort();
    }
    bool connectTo(const QString &name)
    {
        const std::wstring path = PipeChannelListener::pipePath(name);
        if (!WaitNamedPipeW(path.c_str(), 3000))
            return false;
        m_pipe = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        return m_pipe != INVALID_HANDLE_VALUE;
    }
    bool write(const QByteArray &bytes)
    {
        // Fits in the pipe's buffer: no wait for the running copy's read.
        DWORD written = 0;
        return WriteFile(m_pipe, bytes.constData(), DWORD(bytes.size()), &written, nullptr)
            && written == DWORD(bytes.size());
    }
    void abort()
    {
        if (m_pipe != INVALID_HANDLE_VALUE)
            CloseHandle(m_pipe);
        m_pipe = INVALID_HANDLE_VALUE;
    }
    bool hungUp() const
    {
        // What the running copy wrote before is read first, as a socket
        // would; the read never waits, for it is there.
        for (;;) {
            DWORD available = 0;
            if (!PeekNamedPipe(m_pipe, nullptr, 0, nullptr, &available, nullptr))
                return true;
            if (available == 0)
                return false;
            char chunk[256];
            DWORD count = 0;
            if (!ReadFile(m_pipe, chunk, qMin(available, DWORD(sizeof(chunk))), &count, nullptr))
                return true;
        }
    }

private:
    HANDLE m_pipe = INVALID_HANDLE_VALUE;
#endif
};

#ifdef Q_OS_UNIX
// Callers that come one after another from a thread of their own until
// stopped: each writes said and hangs up, or stays (the latest 64 at a
// time) saying nothing more.
class Flood
{
public:
    Flood(const QString &path, QByteArray said, bool stays)
        : m_said(std::move(said))
        , m_stays(stays)
    {
        const QByteArray bytes = QFile::encodeName(path);
        m_address.sun_family = AF_UNIX;
        memcpy(m_address.sun_path, bytes.constData(),
               size_t(qMin(bytes.size(), qsizetype(sizeof(m_address.sun_path) - 1))));
        m_thread = std::thread([this] { run(); });
    }
    Flood(const Flood &) = delete;
    Flood &operator=(const Flood &) = delete;
    ~Flood() { stop(); }

    void stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    int calls() const { return m_calls; }

private:
    void run()
    {
        std::deque<int> held;
        while (!m_stop) {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
            if (::connect(fd, reinterpret_cast<const sockaddr *>(&m_address), sizeof(m_address)) != 0) {
                // A full queue: the listener is behind.
                ::close(fd);
                std::this_thread::yield();
                continue;
            }
            ++m_calls;
            if (!m_said.isEmpty())
                (void)::send(fd, m_said.constData(), size_t(m_said.size()), MSG_NOSIGNAL);
            if (!m_stays) {
                ::close(fd);
                continue;
            }
            held.push_back(fd);
            if (held.size() > 64) {
                ::close(held.front());
                held.pop_front();
            }
        }
        for (const int fd : held)
            ::close(fd);
    }

    const QByteArray m_said;
    const bool m_stays;
    sockaddr_un m_address{};
    std::atomic<bool> m_stop = false;
    std::atomic<int> m_calls = 0;
    std::thread m_thread;
};

// The callers the listener at path holds now: the connected sockets of this
// process whose own address is that name, the listening one left out.
int callersTaken(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    const std::unique_ptr<DIR, int (*)(DIR *)> fds(::opendir("/proc/self/fd"), &::closedir);
    int taken = 0;
    while (const dirent *entry = ::readdir(fds.get())) {
        const int fd = atoi(entry->d_name);
        sockaddr_un address{};
        socklen_t size = sizeof(address);
        int listening = 0;
        socklen_t flagSize = sizeof(listening);
        if (entry->d_name[0] == '.' || ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &size) != 0
            || address.sun_family != AF_UNIX || name != address.sun_path
            || ::getsockopt(fd, SOL_SOCKET, SO_ACCEPTCONN, &listening, &flagSize) != 0 || listening)
            continue;
        ++taken;
    }
    return taken;
}

// This process's resident memory in KiB.
qint64 residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}
#endif

} // namespace

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

    // What a lost copy left at the name is replaced; what the user put there
    // and may want is kept, and the copies meet beside it.
    void whatLiesAtTheNameHoldsUpNoCopy_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<bool>("kept");
        QTest::newRow("plain file") << "file" << false;
#ifdef Q_OS_UNIX
        QTest::newRow("socket nobody listens on") << "socket" << false;
        QTest::newRow("empty folder") << "folder" << false;
        QTest::newRow("folder with a file in it") << "full folder" << true;
#endif
    }
    void whatLiesAtTheNameHoldsUpNoCopy()
    {
#ifdef Q_OS_WIN
        QSKIP("A named pipe ends with the last handle to it: a copy that ended leaves nothing at the name");
#endif
        QFETCH(QString, left);
        QFETCH(bool, kept);
        const QString name = InstanceChannel::serverNameFor(m_dir->path());
        const QString inFolder = name + QStringLiteral("/notes.txt");
        if (left == QLatin1String("file")) {
            QFile f(name);
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else if (left == QLatin1String("socket")) {
            leaveSocket(name);
        } else {
            QVERIFY(QDir().mkdir(name));
            if (left == QLatin1String("full folder")) {
                QFile f(inFolder);
                QVERIFY(f.open(QIODevice::WriteOnly));
            }
        }
        const auto removing = qScopeGuard([&] { QDir(name).removeRecursively(); });
        QVERIFY(QFileInfo::exists(name));
        // Refused at once rather than held up by what lies there.
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!InstanceChannel(m_dir->path()).askToRaise(3000));
        QVERIFY(clock.elapsed() < 1500);

        InstanceChannel running(m_dir->path());
        // Told once, where the program was started.
        if (kept)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("in the way .* meet at ")));
        QVERIFY(running.listen());
        QSignalSpy raised(&running, &InstanceChannel::raiseRequested);
        QVERIFY(InstanceChannel(m_dir->path()).askToRaise());
        QVERIFY(raised.wait(5000));
        QCOMPARE(sendFromAnotherThread(m_dir->path()), InstanceChannel::Outcome::Done);
        QCOMPARE(QFileInfo::exists(inFolder), kept);
    }

    // On Windows a pipe's name is held only while a copy holds the pipe:
    // one that is there belongs to a live copy, and a second listener is
    // refused rather than joined to it.
    void aSecondListenerIsRefused()
    {
#ifndef Q_OS_WIN
        QSKIP("A socket file outlives its copy: the lock's holder replaces whatever is at the name");
#else
        auto first = std::make_unique<InstanceChannel>(m_dir->path());
        QVERIFY(first->listen());
        InstanceChannel second(m_dir->path());
        QVERIFY(!second.listen());
        QVERIFY(!second.listening());
        QSignalSpy raised(first.get(), &InstanceChannel::raiseRequested);
        QVERIFY(InstanceChannel(m_dir->path()).askToRaise());
        QVERIFY(raised.wait(5000));
        // Gone with its copy: the name is free at once.
        first.reset();
        QVERIFY(!InstanceChannel(m_dir->path()).askToRaise(3000));
        QVERIFY(second.listen());
#endif
    }

    // Callers at the same moment are each answered.
    void callersAtOnce()
    {
        InstanceChannel running(m_dir->path());
        QVERIFY(running.listen());
        int resumed = 0;
        running.setResumeHandler([&resumed] { return ++resumed > 0; });
        const QString folder = m_dir->path();
        using Outcome = InstanceChannel::Outcome;
        std::vector<std::future<Outcome>> calls;
        for (int i = 0; i < 8; ++i)
            calls.push_back(
                std::async(std::launch::async, [folder] { return InstanceChannel(folder).send("resume\n", 5000); }));
        QTRY_VERIFY_WITH_TIMEOUT(std::all_of(calls.begin(), calls.end(),
                                             [](const std::future<Outcome> &call) {
                                                 return call.wait_for(std::chrono::seconds(0))
                                                     == std::future_status::ready;
                                             }),
                                 15000);
        for (std::future<Outcome> &call : calls)
            QCOMPARE(call.get(), Outcome::Done);
        QCOMPARE(resumed, 8);
    }

    void otherWordsRaiseNothing()
    {
        InstanceChannel running(m_dir->path());
        QVERIFY(running.listen());
        QSignalSpy raised(&running, &InstanceChannel::raiseRequested);
        RawCaller caller;
        QVERIFY(caller.connectTo(InstanceChannel::serverNameFor(m_dir->path())));
        QVERIFY(caller.write("lower\n"));
        // The running copy hangs up once it has read a request's length.
        QTRY_VERIFY_WITH_TIMEOUT(caller.hungUp(), 5000);
        QCOMPARE(raised.count(), 0);
    }

    // A request from the command line reaches the running copy, which
    // confirms only what it understood.
    void requests_data()
    {
        using Outcome = InstanceChannel::Outcome;
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("saves");    // what the running copy's save gives
        QTest::addColumn<QString>("heard"); // which request came, "" none
        QTest::addColumn<int>("minutes");
        QTest::addColumn<Outcome>("outcome");
        QTest::newRow("pause 30m") << QByteArray("pause 30m\n") << true << "pause" << 30 << Outcome::Done;
        QTest::newRow("pause until tomorrow")
            << QByteArray("pause tomorrow\n") << true << "pause" << 0 << Outcome::Done;
        QTest::newRow("pause not saved") << QByteArray("pause 1h\n") << false << "pause" << 60 << Outcome::DoneNotSaved;
        QTest::newRow("resume") << QByteArray("resume\n") << true << "resume" << -1 << Outcome::Done;
        QTest::newRow("resume not saved") << QByteArray("resume\n") << false << "resume" << -1 << Outcome::DoneNotSaved;
        QTest::newRow("show now") << QByteArray("show-now\n") << true << "show" << -1 << Outcome::Done;
        QTest::newRow("pause of no length") << QByteArray("pause forever\n") << true << "" << -1 << Outcome::NotTaken;
        QTest::newRow("no line end") << QByteArray(200, 'x') << true << "" << -1 << Outcome::NotTaken;
        QTest::newRow("line past its room")
            << QByteArray("resume" + QByteArray(70, ' ') + '\n') << true << "" << -1 << Outcome::NotTaken;
    }
    void requests()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, saves);
        QFETCH(QString, heard);
        QFETCH(int, minutes);
        QFETCH(InstanceChannel::Outcome, outcome);
        InstanceChannel running(m_dir->path());
        QVERIFY(running.listen());
        QList<PauseLength> paused;
        int resumed = 0;
        running.setPauseHandler([&](const PauseLength &length) {
            paused.append(length);
            return saves;
        });
        running.setResumeHandler([&] {
            ++resumed;
            return saves;
        });
        QSignalSpy shown(&running, &InstanceChannel::showNowRequested);
        // The caller waits for the answer, which this thread's loop gives.
        const QString folder = m_dir->path();
        std::future<InstanceChannel::Outcome> sent =
            std::async(std::launch::async, [folder, line] { return InstanceChannel(folder).send(line, 3000); });
        QTRY_VERIFY_WITH_TIMEOUT(sent.wait_for(std::chrono::seconds(0)) == std::future_status::ready, 8000);
        QCOMPARE(sent.get(), outcome);
        QCOMPARE(paused.size(), heard == QLatin1String("pause") ? 1 : 0);
        QCOMPARE(resumed, heard == QLatin1String("resume") ? 1 : 0);
        QCOMPARE(shown.count(), heard == QLatin1String("show") ? 1 : 0);
        if (!paused.isEmpty())
            QCOMPARE(paused.first().untilTomorrow ? 0 : paused.first().minutes, minutes);
    }

    void withNoCopyRunningARequestFails()
    {
        QCOMPARE(InstanceChannel(m_dir->path()).send("resume\n", 1000), InstanceChannel::Outcome::NotTaken);
    }

    void aQuietCallerIsHungUpOn()
    {
        InstanceChannel running(m_dir->path());
        QVERIFY(running.listen());
        RawCaller caller;
        QVERIFY(caller.connectTo(InstanceChannel::serverNameFor(m_dir->path())));
        QTRY_VERIFY_WITH_TIMEOUT(caller.hungUp(), 10000);
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
        int resumed = 0;
        running.setResumeHandler([&resumed] { return ++resumed > 0; });
        RawCaller caller;
        QVERIFY(caller.connectTo(InstanceChannel::serverNameFor(m_dir->path())));
        if (!said.isEmpty())
            QVERIFY(caller.write(said));
        if (leaves)
            caller.abort();
        QElapsedTimer clock;
        clock.start();
        QVERIFY(InstanceChannel(m_dir->path()).askToRaise());
        QVERIFY(raised.wait(5000));
        QCOMPARE(resumed, leaves ? 1 : 0);
        QTRY_VERIFY_WITH_TIMEOUT(caller.hungUp(), 10000);
        // Too much is refused at once, not when a quiet caller would be.
        if (said.size() > InstanceChannel::MaxLine)
            QVERIFY(clock.elapsed() < 1500);
    }

    // Floods of callers from the same user, who can reach the socket: the
    // program holds few of them at once, still serves a later copy during
    // and after, and keeps no memory from them.
    void aFloodIsBounded_data()
    {
        QTest::addColumn<QByteArray>("said");
        QTest::addColumn<bool>("stays");
        QTest::newRow("connect and close") << QByteArray() << false;
        QTest::newRow("long lines without end") << QByteArray(4096, 'x') << false;
        QTest::newRow("idle callers") << QByteArray() << true;
    }
    void aFloodIsBounded()
    {
#ifndef Q_OS_UNIX
        QSKIP("The callers held are counted by their sockets' address");
#else
        QFETCH(QByteArray, said);
        QFETCH(bool, stays);
        const QString folder = m_dir->path();
        const QString name = InstanceChannel::serverNameFor(folder);
        InstanceChannel running(folder);
        QVERIFY(running.listen());
        // What a first caller and a first flood set up once is no flood's.
        QCOMPARE(sendFromAnotherThread(folder), InstanceChannel::Outcome::Done);
        {
            Flood first(name, said, stays);
            QTRY_VERIFY_WITH_TIMEOUT(first.calls() >= 200, 10000);
        }
        const qint64 before = residentKb();
        QVERIFY(before > 0);

        int most = 0;
        QTimer sampler;
        connect(&sampler, &QTimer::timeout, this, [&] { most = qMax(most, callersTaken(name)); });
        sampler.start(0);
        Flood flood(name, said, stays);
        QTRY_VERIFY_WITH_TIMEOUT(flood.calls() >= 2000, 10000);
        QCOMPARE(sendFromAnotherThread(folder), InstanceChannel::Outcome::Done);
        QTRY_VERIFY_WITH_TIMEOUT(flood.calls() >= 20000, 20000);
        flood.stop();
        QCOMPARE(sendFromAnotherThread(folder), InstanceChannel::Outcome::Done);
        sampler.stop();
        QVERIFY2(most <= ChannelListener::MaxCallers, qPrintable(QString::number(most)));
        // Those left waiting are hung up on once quiet for long enough.
        QTRY_COMPARE_WITH_TIMEOUT(callersTaken(name), 0, 2 * ChannelListener::QuietCallerMs + 1000);
        const qint64 after = residentKb();
        if (!kAddressSanitizer)
            QVERIFY2(after - before < 2048, qPrintable(QStringLiteral("%1 KiB, then %2 KiB").arg(before).arg(after)));
#endif
    }

private:
    // A request handed over as a later copy does, while this thread's
    // loop serves the running copy.
    static InstanceChannel::Outcome sendFromAnotherThread(const QString &folder)
    {
        std::future<InstanceChannel::Outcome> sent =
            std::async(std::launch::async, [folder] { return InstanceChannel(folder).send("show-now\n", 2000); });
        while (sent.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return sent.get();
    }

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
