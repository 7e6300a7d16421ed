#include "announce/MovieStrip.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The strip's care of its player process, with stand-in players (small
// scripts) that play, fail, crash or go silent, so that no web engine is
// needed.
class TestMovieStrip : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    // Long beside the stand-ins' heartbeat even on a busy machine.
    static constexpr int HangMs = 1000;
    // Some times what a stand-in holds.
    static constexpr qint64 MemoryBudget = 40'000'000;

    QString script(const QString &name, const QByteArray &body)
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return QString();
        f.write("#!/bin/bash\n" + body + "\n");
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        return path;
    }

    QString movie(const QByteArray &content)
    {
        const QString path = m_dir.filePath(QStringLiteral("1.swf"));
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(content);
        return path;
    }

private Q_SLOTS:
    void playerCare_data()
    {
        QTest::addColumn<QByteArray>("player");
        QTest::addColumn<int>("starts");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("status");
        // Says how it is twenty times a second, as the real one does every
        // few seconds, and ends on "quit".
        const QByteArray playing = "while :; do echo playing; read -t 0.05 l && [ \"$l\" = quit ] && exit 0; done";
        QTest::newRow("plays") << "echo loading; " + playing << 1 << true << "playing";
        QTest::newRow("cannot play") << QByteArray("echo loading; echo failed; sleep 60") << 1 << false << "failed";
        // A crash, a kill and a hang all count alike: three more tries.
        QTest::newRow("crashes") << QByteArray("echo loading; exit 3") << 4 << false << "";
        QTest::newRow("killed") << QByteArray("echo loading; kill -9 $$") << 4 << false << "";
        QTest::newRow("silent") << QByteArray("exec sleep 60") << 4 << false << "";
        // Output far beyond the protocol's pace ends a player like a crash,
        // rather than keeping the strip reading it for good.
        QTest::newRow("endless lines") << QByteArray("while :; do echo playing; head -c 10000000 /dev/zero; echo; done")
                                       << 4 << false << "";
        QTest::newRow("flooding") << QByteArray("echo loading; exec yes playing") << 4 << false << "";
        // A movie that wants more memory than the budget is not played again.
        QTest::newRow("too big") << "s=$(head -c 100000000 /dev/zero | tr '\\0' x); " + playing << 1 << false
                                 << "failed";
        QTest::newRow("slow but alive") << "for i in $(seq 30); do echo loading; sleep 0.05; done; " + playing << 1
                                        << true << "playing";
    }
    void playerCare()
    {
        if (QSysInfo::productType() == QLatin1String("windows"))
            QSKIP("the stand-in players are shell scripts, and Windows has no movie player");
        QFETCH(QByteArray, player);
        QFETCH(int, starts);
        QFETCH(bool, shown);
        QFETCH(QString, status);
        QWidget window;
        window.resize(312, 100);
        auto *strip = new MovieStrip(&window);
        strip->setGeometry(16, 20, 281, 54);
        strip->setPlayerProgram(script(QStringLiteral("player"), player));
        strip->setHangMs(HangMs);
        strip->setMemoryBudget(MemoryBudget);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QString path = movie("FWS");
        strip->setMovie(path);

        // Whatever the player does, it settles within a few hang times, and
        // stays so.
        if (shown) {
            QTRY_COMPARE_WITH_TIMEOUT(strip->playerStatus(), status, 10 * HangMs);
            // One that keeps saying how it is never counts as hung: nothing
            // changes for longer than the hang time.
            QSignalSpy changes(strip, &MovieStrip::playerStatusChanged);
            QVERIFY(!changes.wait(HangMs * 3 / 2));
        } else {
            // Given up: a player ended is replaced at once, so once none
            // runs, none comes back.
            QTRY_VERIFY_WITH_TIMEOUT(!strip->playerRunning(), 10 * HangMs);
        }
        QCOMPARE(strip->starts(), starts);
        QCOMPARE(strip->showsMovie(), shown);
        QCOMPARE(strip->playerStatus(), status);
        // The strip's once-a-second look at the same file changes nothing.
        strip->setMovie(path);
        QCOMPARE(strip->starts(), starts);

        // Hidden, no player is left; shown again, one comes back unless the
        // movie was given up.
        const qint64 pid = strip->playerProcessId();
        window.hide();
        QVERIFY(!strip->playerRunning());
        QVERIFY(!strip->showsMovie());
        if (pid > 0)
            QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(QStringLiteral("/proc/%1").arg(pid)), 3000);
        window.show();
        QCOMPARE(strip->playerRunning(), shown);
        // A changed file is tried afresh.
        QTest::qWait(20);
        movie("FWS changed");
        strip->setMovie(path);
        QVERIFY(strip->playerRunning());
        QCOMPARE(strip->starts(), 1);
    }

    void noPlayerProgramLeavesTheBanner()
    {
        QWidget window;
        auto *strip = new MovieStrip(&window);
        strip->setPlayerProgram(m_dir.filePath(QStringLiteral("missing")));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        strip->setMovie(movie("FWS"));
        QTRY_COMPARE(strip->starts(), 4);
        QTest::qWait(200);
        QCOMPARE(strip->starts(), 4);
        QVERIFY(!strip->showsMovie());
    }
};

QTEST_MAIN(TestMovieStrip)
#include "tst_moviestrip.moc"
