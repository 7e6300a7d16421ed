#include "announce/Announcer.h"
#include "announce/MovieStrip.h"
#include "app/MainWindow.h"
#include "common/Find.h"
#include "common/ManualClock.h"
#include "common/RecordingMessages.h"
#include "common/SwfWriter.h"
#include "common/TestPlatform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRandomGenerator>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

void write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The strip's pixels show the test movie: its dark blue stage and red square.
bool showsTestMovie(const QImage &img)
{
    int blue = 0;
    int red = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            blue += c == QColor(16, 32, 96);
            red += c.red() > 230 && c.green() < 30 && c.blue() < 30;
        }
    }
    const int all = img.width() * img.height();
    return all > 0 && blue > all / 2 && red > all / 50;
}

QImage onScreen(QWidget &strip)
{
    // The player draws in a window of its own process: only the screen
    // shows what it drew.
    return strip.screen()
        ->grabWindow(strip.window()->winId(), strip.mapTo(strip.window(), QPoint()).x(),
                     strip.mapTo(strip.window(), QPoint()).y(), strip.width(), strip.height())
        .toImage();
}

bool processGone(qint64 pid)
{
    return !QFile::exists(QStringLiteral("/proc/%1").arg(pid));
}

} // namespace

class TestPlayer : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    std::unique_ptr<QWidget> window(MovieStrip *&strip)
    {
        auto w = std::make_unique<QWidget>();
        w->resize(312, 100);
        strip = new MovieStrip(w.get());
        strip->setGeometry(16, 20, 281, 54);
        strip->setPlayerProgram(QStringLiteral(MUREL_PLAYER_PROGRAM));
        w->show();
        return w;
    }

private Q_SLOTS:
    void playsGeneratedMovies_data()
    {
        QTest::addColumn<bool>("compressed");
        QTest::newRow("plain") << false;
        QTest::newRow("compressed") << true;
    }
    void playsGeneratedMovies()
    {
        QFETCH(bool, compressed);
        const QString path = m_dir.filePath(compressed ? QStringLiteral("c.swf") : QStringLiteral("p.swf"));
        write(path, SwfWriter::movie(compressed));
        MovieStrip *strip = nullptr;
        auto w = window(strip);
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        strip->setMovie(path);
        QVERIFY(strip->playerRunning());
        QVERIFY(!strip->showsMovie());
        QTRY_COMPARE_WITH_TIMEOUT(strip->playerStatus(), QStringLiteral("playing"), 30000);
        QVERIFY(strip->showsMovie());
        QTRY_VERIFY_WITH_TIMEOUT(showsTestMovie(onScreen(*strip)), 5000);
        // The same unchanged file again does not start it over.
        strip->setMovie(path);
        QCOMPARE(strip->starts(), 1);
        // Hidden: the player and everything it started goes; shown again: it
        // comes back and plays.
        const qint64 pid = strip->playerProcessId();
        w->hide();
        QVERIFY(!strip->playerRunning());
        QTRY_VERIFY_WITH_TIMEOUT(processGone(pid), 5000);
        w->show();
        QVERIFY(strip->playerRunning());
        QTRY_COMPARE_WITH_TIMEOUT(strip->playerStatus(), QStringLiteral("playing"), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(showsTestMovie(onScreen(*strip)), 5000);
    }

    // In the main window: the banner while there is no movie or it does
    // not play yet, the movie once it plays, the banner again within a
    // second of the file's removal, and no player while in the tray.
    void stripFollowsTheInstalledMovie()
    {
        QTemporaryDir windir;
        qputenv("windir", windir.path().toLocal8Bit());
        TestPlatform platform;
        RecordingMessages messages;
        ManualClock clock;
        MainWindow form(platform, messages, clock);
        child<MovieStrip>(form, "SF1")->setPlayerProgram(QStringLiteral(MUREL_PLAYER_PROGRAM));
        QVERIFY(form.load());
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(child<QLabel>(form, "Image1")->isVisible());
        QVERIFY(!child<MovieStrip>(form, "SF1")->playerRunning());

        const QString movie = windir.path() + QStringLiteral("/murel/1.swf");
        write(movie, SwfWriter::movie(true));
        clock.advance(Announcer::MovieCheckMs);
        QVERIFY(child<MovieStrip>(form, "SF1")->playerRunning());
        QTRY_COMPARE_WITH_TIMEOUT(child<MovieStrip>(form, "SF1")->playerStatus(), QStringLiteral("playing"), 30000);
        QVERIFY(child<MovieStrip>(form, "SF1")->showsMovie());
        // Ticks that find the same file leave the movie playing.
        clock.advance(Announcer::MovieCheckMs);
        clock.advance(Announcer::MovieCheckMs);
        QCOMPARE(child<MovieStrip>(form, "SF1")->starts(), 1);
        QVERIFY(child<MovieStrip>(form, "SF1")->showsMovie());

        form.hideToTray();
        QVERIFY(!child<MovieStrip>(form, "SF1")->playerRunning());
        form.restore();
        QTRY_VERIFY_WITH_TIMEOUT(child<MovieStrip>(form, "SF1")->playerRunning(), 1500);

        QVERIFY(QFile::remove(movie));
        clock.advance(Announcer::MovieCheckMs);
        QVERIFY(!child<MovieStrip>(form, "SF1")->isVisible());
        QVERIFY(!child<MovieStrip>(form, "SF1")->playerRunning());
        QVERIFY(child<QLabel>(form, "Image1")->isVisible());
    }

    void brokenMovieLeavesTheBanner()
    {
        QByteArray junk(4096, '\0');
        for (char &c : junk)
            c = char(QRandomGenerator::global()->bounded(256));
        const QString path = m_dir.filePath(QStringLiteral("junk.swf"));
        write(path, junk);
        MovieStrip *strip = nullptr;
        auto w = window(strip);
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        strip->setMovie(path);
        const qint64 pid = strip->playerProcessId();
        QTRY_COMPARE_WITH_TIMEOUT(strip->playerStatus(), QStringLiteral("failed"), 30000);
        QVERIFY(!strip->showsMovie());
        // The player has gone, and the same file is not tried again.
        QTRY_VERIFY_WITH_TIMEOUT(processGone(pid), 5000);
        strip->setMovie(path);
        QVERIFY(!strip->playerRunning());
        QCOMPARE(strip->starts(), 1);
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TestPlayer test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_player.moc"
