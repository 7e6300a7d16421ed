#include "announce/Announcer.h"
#include "announce/MovieStrip.h"
#include "app/Form2.h"
#include "common/ManualClock.h"
#include "common/RecordingMessages.h"
#include "common/TestPlatform.h"
#include "common/SwfWriter.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QFile>
#include <QRandomGenerator>
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
        strip->setPluginFile(QStringLiteral(MUREL_PLAYER_PLUGIN));
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
        QVERIFY(strip->playerLoaded());
        QTRY_COMPARE_WITH_TIMEOUT(strip->playerStatus(), QStringLiteral("playing"), 30000);
        // The same unchanged file again does not start it over.
        const int loads = strip->loads();
        strip->setMovie(path);
        QCOMPARE(strip->loads(), loads);
        w->grab().save(m_dir.filePath(QStringLiteral("shot.png")));
        // Hidden: the player goes; shown again: it comes back and plays.
        w->hide();
        QVERIFY(!strip->playerLoaded());
        w->show();
        QVERIFY(strip->playerLoaded());
        QTRY_COMPARE_WITH_TIMEOUT(strip->playerStatus(), QStringLiteral("playing"), 30000);
    }

    // In the main window: the banner while there is no movie, the player
    // within about a second of one being installed and gone within a
    // second of its removal, and never while the window is in the tray.
    void stripFollowsTheInstalledMovie()
    {
        QTemporaryDir windir;
        qputenv("windir", windir.path().toLocal8Bit());
        TestPlatform platform;
        RecordingMessages messages;
        ManualClock clock;
        Form2 form(platform, messages, clock);
        form.SF1->setPluginFile(QStringLiteral(MUREL_PLAYER_PLUGIN));
        QVERIFY(form.load());
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(form.Image1->isVisible());
        QVERIFY(!form.SF1->isVisible());
        QVERIFY(!form.SF1->playerLoaded());

        const QString movie = windir.path() + QStringLiteral("/murel/1.swf");
        write(movie, SwfWriter::movie(true));
        QTRY_VERIFY_WITH_TIMEOUT(form.SF1->isVisible(), 1500);
        QVERIFY(form.SF1->playerLoaded());
        QTRY_COMPARE_WITH_TIMEOUT(form.SF1->playerStatus(), QStringLiteral("playing"), 30000);
        // Ticks that find the same file leave the movie playing.
        const int loads = form.SF1->loads();
        QTest::qWait(2200);
        QCOMPARE(form.SF1->loads(), loads);

        form.hideToTray();
        QVERIFY(!form.SF1->playerLoaded());
        form.restore();
        QTRY_VERIFY_WITH_TIMEOUT(form.SF1->playerLoaded(), 1500);

        QVERIFY(QFile::remove(movie));
        QTRY_VERIFY_WITH_TIMEOUT(!form.SF1->isVisible(), 1500);
        QVERIFY(!form.SF1->playerLoaded());
        QVERIFY(form.Image1->isVisible());
    }

    void brokenMovieLeavesTheStripBlank()
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
        QTRY_COMPARE_WITH_TIMEOUT(strip->playerStatus(), QStringLiteral("failed"), 30000);
        // Blank: every pixel of the strip is the same colour.
        const QImage img = strip->grab().toImage();
        const QColor first = img.pixelColor(0, 0);
        int other = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                other += img.pixelColor(x, y) != first;
        QCOMPARE(other, 0);
    }
};

int main(int argc, char *argv[])
{
    // As in the program: no shared GL context asked for at start-up (the
    // plugin provides one). The engine cannot sandbox itself under root.
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    TestPlayer test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_player.moc"
