#include "app/Program.h"
#include "common/ManualClock.h"
#include "common/TestPlatform.h"
#include "core/hold/HoldGate.h"
#include "core/texts/ReminderTexts.h"
#include "core/times/TimesSettings.h"
#include "platform/InstanceLock.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// An environment variable put back as it was when the test ends.
struct SavedVariable
{
    explicit SavedVariable(const char *variable)
        : name(variable)
        , wasSet(qEnvironmentVariableIsSet(variable))
        , value(qgetenv(variable))
    {
    }
    ~SavedVariable()
    {
        if (wasSet)
            qputenv(name, value);
        else
            qunsetenv(name);
    }
    const char *name;
    bool wasSet;
    QByteArray value;
};

// A copy of the program on the data folder windir names, as a start of it
// would make it.
struct Copy
{
    explicit Copy(const QString &windir)
    {
        qputenv("windir", windir.toLocal8Bit());
        program = std::make_unique<Program>(platform, clock);
    }
    TestPlatform platform;
    ManualClock clock;
    std::unique_ptr<Program> program;
};

QList<Program::Notice> notices(const QSignalSpy &spy)
{
    QList<Program::Notice> list;
    for (const QList<QVariant> &call : spy)
        list.append(call.at(0).value<Program::Notice>());
    return list;
}

} // namespace

class TestProgram : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    TestPlatform m_platform;
    ManualClock m_clock;

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        qputenv("windir", m_dir->path().toLocal8Bit());
        m_platform.older.clear();
    }

    // What the start-up finds is said as it finds it, and only that.
    void startUpNotices_data()
    {
        QTest::addColumn<QString>("setUp");
        QTest::addColumn<QList<Program::Notice>>("expected");
        QTest::newRow("a first run") << "none" << QList<Program::Notice>{};
        QTest::newRow("an older folder") << "older" << QList<Program::Notice>{Program::Notice::OlderFolderCopied};
        QTest::newRow("hold.ini unreadable") << "hold" << QList<Program::Notice>{Program::Notice::HoldProblem};
        QTest::newRow("texts.ini unreadable") << "texts" << QList<Program::Notice>{Program::Notice::TextsProblem};
        QTest::newRow("times.ini unreadable") << "times" << QList<Program::Notice>{Program::Notice::TimesProblem};
    }
    void startUpNotices()
    {
        QFETCH(QString, setUp);
        QFETCH(QList<Program::Notice>, expected);
        Program program(m_platform, m_clock);
        const QString older = m_dir->path() + QStringLiteral("/older");
        if (setUp == QLatin1String("older")) {
            writeFile(older + QStringLiteral("/background.txt"), "\"3\",\"Arial\"");
            m_platform.older = {older};
        } else if (setUp == QLatin1String("hold")) {
            QVERIFY(QDir().mkpath(program.dataFolder() + QStringLiteral("/hold.ini")));
        } else if (setUp == QLatin1String("texts")) {
            QVERIFY(QDir().mkpath(program.dataFolder() + QStringLiteral("/texts.ini")));
        } else if (setUp == QLatin1String("times")) {
            QVERIFY(QDir().mkpath(program.dataFolder() + QStringLiteral("/times.ini")));
        }
        QSignalSpy said(&program, &Program::notice);
        QVERIFY(program.load());
        QCOMPARE(notices(said), expected);
        QCOMPARE(QDir::cleanPath(program.olderFolder()),
                 setUp == QLatin1String("older") ? QDir::cleanPath(older) : QString());
    }

    // Copies meet at the lock in their data folder, whatever else differs
    // between their environments, and only there.
    void copiesMeetAtTheirDataFolder_data()
    {
        QTest::addColumn<QString>("windir");
        QTest::addColumn<bool>("otherTemporaryFolder");
        QTest::addColumn<bool>("throughLink");
        QTest::addColumn<bool>("otherFolder");
        QTest::newRow("same environment") << "folder" << false << false << false;
        QTest::newRow("another TMPDIR") << "folder" << true << false << false;
        QTest::newRow("another data folder") << "folder" << false << false << true;
        // windir names a file: the data folder can be neither made nor
        // written, and the lock goes to the runtime folder.
        QTest::newRow("unwritable, same environment") << "file" << false << false << false;
        QTest::newRow("unwritable, another TMPDIR") << "file" << true << false << false;
        QTest::newRow("unwritable, through a link") << "file" << false << true << false;
    }
    void copiesMeetAtTheirDataFolder()
    {
        QFETCH(QString, windir);
        QFETCH(bool, otherTemporaryFolder);
        QFETCH(bool, throughLink);
        QFETCH(bool, otherFolder);
        if (throughLink && QSysInfo::productType() == QLatin1String("windows"))
            QSKIP("a link on Windows is a shortcut file, which no path goes through");
        QString folder = m_dir->path();
        if (windir == QLatin1String("file")) {
            folder = m_dir->path() + QStringLiteral("/plain-file");
            writeFile(folder, "x");
        }
        const QString link = m_dir->path() + QStringLiteral("/link");
        QVERIFY(QFile::link(folder, link));
        QTemporaryDir other;
        // No session runtime folder: the copies must meet all the same.
        const SavedVariable runtime("XDG_RUNTIME_DIR");
        const SavedVariable tmp("TMPDIR");
        qunsetenv("XDG_RUNTIME_DIR");
        QTemporaryDir tmpA;
        QTemporaryDir tmpB;
        qputenv("TMPDIR", QFile::encodeName(tmpA.path()));
        Copy first(folder);
        QVERIFY(first.program->load());
        qputenv("TMPDIR", QFile::encodeName(otherTemporaryFolder ? tmpB.path() : tmpA.path()));
        Copy second(otherFolder ? other.path() : throughLink ? link : folder);
        QSignalSpy said(second.program.get(), &Program::notice);
        QCOMPARE(second.program->load(), otherFolder);
        QCOMPARE(notices(said), otherFolder ? QList<Program::Notice>{} : QList{Program::Notice::SecondCopy});
        if (windir == QLatin1String("folder"))
            QVERIFY(QFileInfo(InstanceLock::lockPathFor(m_dir->path() + QStringLiteral("/murel"))).isFile());
    }

    // Something other than a lock where the lock goes: no copy runs, and
    // none says another one does.
    void aFolderInTheLocksPlaceIsSaidPlainly()
    {
        QVERIFY(QDir().mkpath(InstanceLock::lockPathFor(m_dir->path() + QStringLiteral("/murel"))));
        Program program(m_platform, m_clock);
        QSignalSpy said(&program, &Program::notice);
        QVERIFY(!program.load());
        QCOMPARE(notices(said), QList{Program::Notice::NoLock});
    }

    void leftoversOfSavesAreRemoved_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("removed");
        QTest::newRow("record's temporary") << "background.txt.murel-save-0123456789abcdef" << true;
        QTest::newRow("installed movie's") << "1.swf.murel-save-fedcba9876543210" << true;
        QTest::newRow("staged movie's") << "wjk/1.swf.murel-save-00000000000000ff" << true;
        QTest::newRow("staged text's") << "wjk/text8.txt.murel-save-a0a0a0a0a0a0a0a0" << true;
        QTest::newRow("timed reminders' temporary") << "times.ini.murel-save-0123456789abcdef" << true;
        QTest::newRow("not our random part") << "background.txt.murel-save-0123456789ABCDEF" << false;
        QTest::newRow("not a file of ours") << "notes.txt.murel-save-0123456789abcdef" << false;
        QTest::newRow("staged name in the wrong folder") << "text8.txt.murel-save-0123456789abcdef" << false;
        // The user's own files, however much they look like temporaries.
        QTest::newRow("user's backup") << "background.txt.backup" << false;
        QTest::newRow("user's before") << "background.txt.before" << false;
        QTest::newRow("user's movie backup") << "1.swf.backup" << false;
        QTest::newRow("six letters") << "text7.txt.Ramadn" << false;
        QTest::newRow("six letters, staged") << "wjk/text8.txt.qwerty" << false;
    }
    void leftoversOfSavesAreRemoved()
    {
        QFETCH(QString, name);
        QFETCH(bool, removed);
        const QString path = m_dir->path() + QStringLiteral("/murel/") + name;
        writeFile(path, "partly written");
        Program program(m_platform, m_clock);
        QVERIFY(program.load());
        QCOMPARE(!QFileInfo::exists(path), removed);
    }

    // A timed reminder missed just now comes at the start as its sequence:
    // its texts in order, each card counted, a deleted text of the user's
    // left out, and the next only once the card before has gone; the
    // interval's cards wait meanwhile, and the day is marked on disk.
    void aTimedReminderComesAsItsSequence_data()
    {
        QTest::addColumn<bool>("untilClosed");
        QTest::addColumn<int>("displaySeconds");
        QTest::newRow("each card for the display time") << false << 30;
        QTest::newRow("each card until it is closed") << true << 0;
    }
    void aTimedReminderComesAsItsSequence()
    {
        QFETCH(bool, untilClosed);
        QFETCH(int, displaySeconds);
        const QString folder = m_dir->path() + QStringLiteral("/murel");
        writeFile(folder + QStringLiteral("/background.txt"),
                  "\"1\",\"MS Sans Serif\",\"0\",\"5\",\"30\",#FALSE#,#TRUE#,#FALSE#\r\n");
        const QString own = QStringLiteral("سبحان الله وبحمده");
        ReminderTexts::Values texts;
        texts.own = {{own, false}};
        writeFile(folder + QStringLiteral("/texts.ini"), ReminderTexts::encode(texts));
        TimesSettings::Values times;
        TimedReminder entry;
        entry.time = m_clock.localNow().time().addSecs(-60);
        entry.time = QTime(entry.time.hour(), entry.time.minute());
        entry.enabled = true;
        entry.untilClosed = untilClosed;
        entry.texts = {TextKey::ofBuiltIn(5), TextKey::ofOwn(QStringLiteral("حذفه المستخدم")), TextKey::ofOwn(own),
                       TextKey::ofBuiltIn(9)};
        times.entries = {entry};
        writeFile(folder + QStringLiteral("/times.ini"), TimesSettings::encode(times));

        Program program(m_platform, m_clock);
        QSignalSpy shown(&program, &Program::showCard);
        QVERIFY(program.load());
        QCOMPARE(program.autoStart(), ReminderCycle::Verdict::Valid);
        const QStringList expected{program.texts().catalogue().entry(5), own, program.texts().catalogue().entry(9)};
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(shown.count(), i + 1);
            const auto content = shown.at(i).at(0).value<CardContent>();
            QCOMPARE(content.text, expected.at(i));
            QCOMPARE(content.sequencePosition, i + 1);
            QCOMPARE(content.sequenceCount, int(expected.size()));
            QCOMPARE(content.displaySeconds, displaySeconds);
            // Asked for now, and the interval's time come: neither cuts in.
            program.remindNow();
            m_clock.advance(10 * 60 * 1000);
            QCOMPARE(shown.count(), i + 1);
            program.cardClosed();
        }
        QCOMPARE(shown.count(), int(expected.size()));
        QVERIFY(program.cycle().counting());
        program.remindNow();
        QCOMPARE(shown.count(), int(expected.size()) + 1);
        QCOMPARE(shown.last().at(0).value<CardContent>().sequenceCount, 0);

        TimesSettings reread(folder + QStringLiteral("/times.ini"));
        reread.load();
        QCOMPARE(reread.values().entries.first().lastShown, m_clock.localNow().date());
    }

    // The card's text is drawn by the program, and the round through the
    // texts is kept on disk before any card is drawn.
    void eachCardTakesTheNextText_data()
    {
        // The one catalogue entry on, -1: none; the one text of the user's,
        // if any. One more entry stays on so that one card does not end the
        // round.
        QTest::addColumn<int>("builtIn");
        QTest::addColumn<QString>("own");
        QTest::newRow("a catalogue entry") << 5 << QString();
        QTest::newRow("a text of the user's") << -1 << QStringLiteral("سبحان الله");
    }
    void eachCardTakesTheNextText()
    {
        QFETCH(int, builtIn);
        QFETCH(QString, own);
        Program program(m_platform, m_clock);
        QVERIFY(program.load());
        ReminderTexts::Values values;
        for (int i = 0; i < Catalogue::Size; ++i) {
            if (i != builtIn && i != Catalogue::Size - 1)
                values.builtInOff.append(i);
        }
        if (!own.isEmpty())
            values.own.append({own, true});
        values.order = ReminderTexts::Order::EachOnce;
        program.texts().setValues(values);

        QSignalSpy shown(&program, &Program::showCard);
        program.remindNow();
        QCOMPARE(shown.count(), 1);
        const auto content = shown.at(0).at(0).value<CardContent>();
        const int last = Catalogue::Size - 1;
        QVERIFY(content.textIndex == builtIn || content.textIndex == last);
        const Catalogue &catalogue = program.texts().catalogue();
        QCOMPARE(content.text, content.textIndex >= 0 ? catalogue.entry(content.textIndex) : own);
        QCOMPARE(content.screen.data(), program.cardScreen());

        ReminderTexts reread(program.dataFolder() + QStringLiteral("/texts.ini"));
        reread.load();
        QCOMPARE(reread.values().shown.size(), 1);
        QCOMPARE(reread.values().shown.first().builtIn, content.textIndex);
    }

    // A reminder falls due while the machine sleeps, and its timer stands
    // still meanwhile: the wake brings it at once, or past the grace time
    // marks it skipped, rather than the timer bringing it as late as the
    // sleep was long.
    void aWakeLooksAtTheTimesAgain_data()
    {
        QTest::addColumn<int>("asleepMinutes");
        QTest::addColumn<bool>("comes");
        QTest::newRow("woken within the grace time") << 100 << true;
        QTest::newRow("woken past the grace time") << 240 << false;
    }
    void aWakeLooksAtTheTimesAgain()
    {
        QFETCH(int, asleepMinutes);
        QFETCH(bool, comes);
        const QString path = m_dir->path() + QStringLiteral("/murel/times.ini");
        TimesSettings::Values times;
        TimedReminder entry;
        const QTime soon = m_clock.localNow().time().addSecs(10 * 60);
        entry.time = QTime(soon.hour(), soon.minute());
        entry.enabled = true;
        entry.texts = {TextKey::ofBuiltIn(5)};
        times.entries = {entry};
        writeFile(path, TimesSettings::encode(times));

        Program program(m_platform, m_clock);
        QSignalSpy shown(&program, &Program::showCard);
        QVERIFY(program.load());
        m_clock.sleep(qint64(asleepMinutes) * 60 * 1000);
        QCOMPARE(shown.count(), 0);
        m_platform.wake();
        QCOMPARE(shown.count(), comes ? 1 : 0);
        if (comes)
            QCOMPARE(shown.first().at(0).value<CardContent>().text, program.texts().catalogue().entry(5));
        TimesSettings reread(path);
        reread.load();
        QCOMPARE(reread.values().entries.first().lastShown, m_clock.localNow().date());
    }
};

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
