#include "app/Program.h"
#include "common/ManualClock.h"
#include "common/TestPlatform.h"
#include "core/hold/HoldGate.h"
#include "core/times/TimesSettings.h"
#include "platform/SoundOutput.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Records what it was asked to play instead of playing it.
class RecordingOutput final : public SoundOutput
{
public:
    void play(const PcmClip &clip, bool unlessOthersPlay) override
    {
        frames.append(clip.frames());
        avoidingClash.append(unlessOthersPlay);
    }
    QList<qint64> frames;
    QList<bool> avoidingClash;
};

} // namespace

// When the program's cards sound: as each slides up, as sound.ini says,
// never while a due card waits in a hold.
class TestCardSound : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    TestPlatform m_platform;
    ManualClock m_clock;
    RecordingOutput m_output;

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        qputenv("windir", m_dir->path().toLocal8Bit());
        m_output = {};
        m_platform.soundOutput = &m_output;
        m_platform.soundAsked = 0;
    }

    void whenACardSounds_data()
    {
        QTest::addColumn<QByteArray>("soundIni");
        // How the card comes: "due", "held" (due during a pause, shown at
        // its end) or "now" (asked for during a pause).
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("whileHeld");
        QTest::addColumn<QList<bool>>("plays"); // each play: avoiding a clash
        QTest::newRow("no file: no sound") << QByteArray() << "due" << 0 << QList<bool>{};
        QTest::newRow("chime") << QByteArray("sound=chime\n") << "due" << 0 << QList<bool>{true};
        QTest::newRow("chime, a clash allowed")
            << QByteArray("sound=chime\navoid-clash=false\n") << "due" << 0 << QList<bool>{false};
        QTest::newRow("held, then shown") << QByteArray("sound=chime\n") << "held" << 0 << QList<bool>{true};
        QTest::newRow("shown now during a pause") << QByteArray("sound=chime\n") << "now" << 1 << QList<bool>{true};
        QTest::newRow("a file that is no WAV")
            << QByteArray("sound=file\nfile=@notwav\n") << "due" << 0 << QList<bool>{};
        QTest::newRow("a file that is gone") << QByteArray("sound=file\nfile=@gone\n") << "due" << 0 << QList<bool>{};
        QTest::newRow("the user's file") << QByteArray("sound=file\nfile=@wav\n") << "due" << 0 << QList<bool>{true};
    }
    void whenACardSounds()
    {
        QFETCH(QByteArray, soundIni);
        QFETCH(QString, how);
        QFETCH(int, whileHeld);
        QFETCH(QList<bool>, plays);
        Program program(m_platform, m_clock);
        QDir().mkpath(program.dataFolder());
        // The user's files: a WAV file of 100 frames, and one that is not.
        const QString wav = m_dir->path() + QStringLiteral("/mine.wav");
        PcmClip mine;
        mine.samples = QByteArray(200, '\x10');
        {
            QFile f(wav);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(mine.wav());
        }
        const QString notWav = m_dir->path() + QStringLiteral("/mine.mp3");
        {
            QFile f(notWav);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("ID3\x04 not a wav file");
        }
        soundIni.replace("@wav", wav.toUtf8()).replace("@notwav", notWav.toUtf8());
        soundIni.replace("@gone", (m_dir->path() + QStringLiteral("/gone.wav")).toUtf8());
        if (!soundIni.isEmpty()) {
            QFile f(program.dataFolder() + QStringLiteral("/sound.ini"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(soundIni);
        }
        QVERIFY(program.load());
        QCOMPARE(program.start(QStringLiteral("5"), Settings::Unit::Seconds, QStringLiteral("3")),
                 ReminderCycle::Verdict::Valid);

        if (how != QLatin1String("due"))
            QVERIFY(program.holdGate().pause(PauseLength::Hour));
        if (how == QLatin1String("now")) {
            program.remindNow();
        } else {
            m_clock.advance(5000);
            QCOMPARE(program.cycle().cardPending(), how == QLatin1String("held"));
        }
        // Nothing sounds for a card that waits.
        QCOMPARE(m_output.avoidingClash.size(), how == QLatin1String("held") ? 0 : plays.size());
        if (how != QLatin1String("due")) {
            QCOMPARE(m_output.avoidingClash.size(), whileHeld);
            QVERIFY(program.holdGate().resume());
        }
        QCOMPARE(program.cycle().cardUp(), true);
        QCOMPARE(m_output.avoidingClash, plays);
        if (soundIni.contains("file=") && !plays.isEmpty())
            QCOMPARE(m_output.frames, QList<qint64>{mine.frames()});
        // With sound off the sound module is never reached for.
        if (soundIni.isEmpty())
            QCOMPARE(m_platform.soundAsked, 0);
    }

    // A timed reminder's sequence calls once, with its first card.
    void aSequenceSoundsOnce()
    {
        Program program(m_platform, m_clock);
        QDir().mkpath(program.dataFolder());
        TimedReminder entry;
        entry.time = QTime(m_clock.localNow().time().hour(), m_clock.localNow().time().minute()).addSecs(-60);
        entry.enabled = true;
        entry.texts = {TextKey::ofBuiltIn(1), TextKey::ofBuiltIn(2), TextKey::ofBuiltIn(3)};
        TimesSettings::Values times;
        times.entries = {entry};
        for (const auto &[name, bytes] : {std::pair{QStringLiteral("/times.ini"), TimesSettings::encode(times)},
                                          std::pair{QStringLiteral("/sound.ini"), QByteArray("sound=chime\n")}}) {
            QFile f(program.dataFolder() + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        QSignalSpy shown(&program, &Program::showCard);
        QVERIFY(program.load());
        for (int card = 1; card <= 3; ++card) {
            QCOMPARE(shown.count(), card);
            program.cardClosed();
        }
        QCOMPARE(m_output.avoidingClash, QList<bool>{true});
        // The interval's own cards call again.
        QCOMPARE(program.start(QStringLiteral("5"), Settings::Unit::Seconds, QStringLiteral("3")),
                 ReminderCycle::Verdict::Valid);
        m_clock.advance(5000);
        QCOMPARE(m_output.avoidingClash, (QList<bool>{true, true}));
    }
};

QTEST_MAIN(TestCardSound)
#include "tst_cardsound.moc"
