#include "common/ManualClock.h"
#include "core/cycle/ReminderCycle.h"
#include "core/hold/HoldGate.h"
#include "core/hold/HoldSettings.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsRecord.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A cycle on a hand-moved clock, with a card that comes and goes as the
// cycle asks and as the test closes it.
struct Bench
{
    Bench()
        : settings(dir.filePath(QStringLiteral("background.txt")))
        , hold(dir.filePath(QLatin1String(HoldSettings::FileName)))
        , gate(hold, clock)
        , cycle(settings, clock)
    {
        cycle.setGate(&gate);
        QObject::connect(&cycle, &ReminderCycle::showCard, [this] { ++shown, cardUp = true; });
        QObject::connect(&cycle, &ReminderCycle::closeCard, [this] { ++taken, cardUp = false; });
    }
    // The card goes by itself or by its X.
    void closeCard()
    {
        QVERIFY(cardUp);
        cardUp = false;
        cycle.cardClosed();
    }
    QTemporaryDir dir;
    ManualClock clock;
    Settings settings;
    HoldSettings hold;
    HoldGate gate;
    ReminderCycle cycle;
    int shown = 0;
    int taken = 0;
    bool cardUp = false;
};

using S = Settings::Unit;

enum class Hold {
    FullScreen,
    DoNotDisturb,
    Locked,
    Away,
    Paused,
    OutsideHours,
    PauseThenClockBack
};

} // namespace

class TestReminderCycle : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startChecksThenSaves_data()
    {
        QTest::addColumn<QString>("interval");
        QTest::addColumn<QString>("duration");
        QTest::addColumn<int>("verdict");
        QTest::addColumn<int>("count"); // the timer's interval once started
        QTest::newRow("interval 0") << "0"
                                    << "5" << int(ReminderCycle::Verdict::BadInterval) << 0;
        QTest::newRow("interval below 1") << "0.9"
                                          << "5" << int(ReminderCycle::Verdict::BadInterval) << 0;
        QTest::newRow("interval 60") << "60"
                                     << "5" << int(ReminderCycle::Verdict::BadInterval) << 0;
        QTest::newRow("interval first") << ""
                                        << "" << int(ReminderCycle::Verdict::BadInterval) << 0;
        QTest::newRow("duration 2") << "5"
                                    << "2" << int(ReminderCycle::Verdict::BadDuration) << 0;
        QTest::newRow("duration 2.6, not 3") << "5"
                                             << "2.6" << int(ReminderCycle::Verdict::BadDuration) << 0;
        QTest::newRow("duration 59.5") << "5"
                                       << "59.5" << int(ReminderCycle::Verdict::BadDuration) << 0;
        QTest::newRow("limits") << "1"
                                << "3" << int(ReminderCycle::Verdict::Valid) << 1;
        QTest::newRow("leading zeros") << "05"
                                       << "007" << int(ReminderCycle::Verdict::Valid) << 5;
        QTest::newRow("059") << "059"
                             << "59" << int(ReminderCycle::Verdict::Valid) << 59;
        QTest::newRow("a half runs to even") << "2.5"
                                             << "3" << int(ReminderCycle::Verdict::Valid) << 2;
    }
    void startChecksThenSaves()
    {
        QFETCH(QString, interval);
        QFETCH(QString, duration);
        QFETCH(int, verdict);
        QFETCH(int, count);
        Bench b;
        QSignalSpy running(&b.cycle, &ReminderCycle::runningChanged);
        QCOMPARE(int(b.cycle.start(interval, S::Minutes, duration)), verdict);
        const bool valid = verdict == int(ReminderCycle::Verdict::Valid);
        QCOMPARE(b.cycle.running(), valid);
        QCOMPARE(running.count(), valid ? 1 : 0);
        // Refused values never reach the settings; accepted ones are saved
        // as they were typed, and counted.
        const QStringList typed = valid ? QStringList{interval, duration} : QStringList();
        QCOMPARE(readSettingsFile(b.settings.path()).mid(3, 2), typed);
        QCOMPARE(b.settings.values().unit, valid ? S::Minutes : S::Seconds);
        if (valid)
            QCOMPARE(b.cycle.interval(), qint64(count));
    }

    // Start saves the background the record held as it was, whether or not
    // it names one of the six pictures.
    void startKeepsTheRecordsBackground_data()
    {
        QTest::addColumn<QByteArray>("read");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("3") << QByteArray("3") << QByteArray("3");
        QTest::newRow("7, none of the six") << QByteArray("7") << QByteArray("7");
        QTest::newRow("0") << QByteArray("0") << QByteArray("0");
        QTest::newRow("2.5") << QByteArray("2.5") << QByteArray("2.5");
        QTest::newRow("empty: the first") << QByteArray("") << QByteArray("1");
    }
    void startKeepsTheRecordsBackground()
    {
        QFETCH(QByteArray, read);
        QFETCH(QByteArray, written);
        Bench b;
        QFile record(b.settings.path());
        QVERIFY(record.open(QIODevice::WriteOnly));
        record.write("\"" + read + "\",\"Tahoma\",\"0\",\"0\",\"0\",#TRUE#,#FALSE#,#FALSE#\r\n");
        record.close();
        b.settings.load();
        QCOMPARE(b.cycle.start(QStringLiteral("05"), S::Hours, QStringLiteral("007")), ReminderCycle::Verdict::Valid);
        QVERIFY(record.open(QIODevice::ReadOnly));
        QCOMPARE(record.readAll(), "\"" + written + "\",\"Tahoma\",\"0\",\"05\",\"007\",#FALSE#,#FALSE#,#TRUE#\r\n");
    }

    void cardsComeAtTheIntervalAndHoldIt()
    {
        Bench b;
        QCOMPARE(b.cycle.start(QStringLiteral("2"), S::Seconds, QStringLiteral("5")), ReminderCycle::Verdict::Valid);
        b.clock.advance(1'999);
        QCOMPARE(b.shown, 0);
        b.clock.advance(1);
        QCOMPARE(b.shown, 1);
        // However long the card stays, no second one comes meanwhile.
        QVERIFY(!b.cycle.counting());
        b.clock.advance(60'000);
        QCOMPARE(b.shown, 1);
        // The count starts afresh when it has gone.
        b.closeCard();
        QVERIFY(b.cycle.counting());
        b.clock.advance(1'999);
        QCOMPARE(b.shown, 1);
        b.clock.advance(1);
        QCOMPARE(b.shown, 2);
        QCOMPARE(b.taken, 0);
    }

    void aCardWithoutCountdownGivesWay()
    {
        // A first run: no duration yet, so the run's first card stays until
        // its X; it must not keep the cycle the user then starts from coming.
        Bench b;
        b.cycle.remindNow();
        QCOMPARE(b.shown, 1);
        b.cycle.start(QStringLiteral("2"), S::Seconds, QStringLiteral("5"));
        QVERIFY(b.cycle.counting());
        b.clock.advance(2'000);
        QCOMPARE(b.taken, 1);
        QCOMPARE(b.shown, 2);
        QVERIFY(b.cardUp);
        // The new card has a countdown: it holds the cycle.
        QVERIFY(!b.cycle.counting());
    }

    void startWhileACardHoldsWaitsForIt()
    {
        Bench b;
        b.settings.setValues(Settings::fromFields({"1", "", "0", "0", "5"}));
        b.cycle.remindNow();
        b.cycle.start(QStringLiteral("2"), S::Seconds, QStringLiteral("5"));
        QVERIFY(b.cycle.running());
        QVERIFY(!b.cycle.counting());
        b.clock.advance(10'000);
        QCOMPARE(b.shown, 1);
        b.closeCard();
        b.clock.advance(2'000);
        QCOMPARE(b.shown, 2);
    }

    void stopTakesTheCardAndItsCloseChangesNothing()
    {
        Bench b;
        b.cycle.start(QStringLiteral("1"), S::Seconds, QStringLiteral("3"));
        b.clock.advance(1'000);
        QVERIFY(b.cardUp);
        b.cycle.stop();
        QCOMPARE(b.taken, 1);
        QVERIFY(!b.cycle.running());
        // A late report of the taken card does not restart anything.
        b.cycle.cardClosed();
        b.clock.advance(10'000);
        QCOMPARE(b.shown, 1);
        QVERIFY(!b.cycle.counting());
        // A reminder now is still one card at a time.
        b.cycle.remindNow();
        b.cycle.remindNow();
        QCOMPARE(b.shown, 2);
    }

    void aLongStallGivesOneCardNotABurst()
    {
        Bench b;
        // A suspended machine wakes ten hours later: one card, not 36,000.
        b.cycle.start(QStringLiteral("1"), S::Seconds, QStringLiteral("3"));
        b.clock.advance(10LL * 3600 * 1000);
        QCOMPARE(b.shown, 1);
        b.closeCard();
        b.clock.advance(999);
        QCOMPARE(b.shown, 1);
        b.clock.advance(1);
        QCOMPARE(b.shown, 2);
    }

    void aHeldCardWaitsAloneAndComesOnRelease_data()
    {
        QTest::addColumn<Hold>("hold");
        QTest::newRow("full screen") << Hold::FullScreen;
        QTest::newRow("do not disturb") << Hold::DoNotDisturb;
        QTest::newRow("locked") << Hold::Locked;
        QTest::newRow("away") << Hold::Away;
        QTest::newRow("paused, until its end") << Hold::Paused;
        QTest::newRow("outside the hours, until they open") << Hold::OutsideHours;
        QTest::newRow("paused, clock set back ten years") << Hold::PauseThenClockBack;
    }
    void aHeldCardWaitsAloneAndComesOnRelease()
    {
        QFETCH(Hold, hold);
        Bench b;
        HoldSettings::Values v;
        switch (hold) {
        case Hold::FullScreen: b.gate.setFullScreen(true); break;
        case Hold::DoNotDisturb: b.gate.setDoNotDisturb(true); break;
        case Hold::Locked: b.gate.setScreenLocked(true); break;
        case Hold::Away:
            v.away = true;
            b.hold.setValues(v);
            b.gate.setIdleMs(3'600'000);
            break;
        case Hold::Paused:
        case Hold::PauseThenClockBack: QVERIFY(b.gate.pause(PauseLength::QuarterHour)); break;
        case Hold::OutsideHours:
            v.activeHours = true;
            v.hoursStart = b.clock.localNow().time().addSecs(3600);
            b.hold.setValues(v);
            break;
        }
        QVERIFY(b.gate.held());
        b.cycle.start(QStringLiteral("2"), S::Seconds, QStringLiteral("5"));
        b.clock.advance(2'000);
        QVERIFY(b.cycle.cardPending());
        QVERIFY(!b.cycle.counting());
        // Ten more intervals: still the one card waiting, none shown.
        b.clock.advance(20'000);
        QCOMPARE(b.shown, 0);

        switch (hold) {
        case Hold::FullScreen: b.gate.setFullScreen(false); break;
        case Hold::DoNotDisturb: b.gate.setDoNotDisturb(false); break;
        case Hold::Locked: b.gate.setScreenLocked(false); break;
        case Hold::Away: b.gate.setIdleMs(0); break;
        case Hold::Paused:
        case Hold::OutsideHours: {
            // Nothing but the clock: the card comes at the very moment.
            b.clock.advance(b.clock.localNow().msecsTo(b.gate.timeHoldEnd()) - 1);
            QCOMPARE(b.shown, 0);
            b.clock.advance(1);
            break;
        }
        case Hold::PauseThenClockBack: b.clock.setLocalNow(b.clock.localNow().addYears(-10)); break;
        }
        QCOMPARE(b.shown, 1);
        QVERIFY(!b.cycle.cardPending());
        // The count starts afresh after it, as after any card.
        b.closeCard();
        b.clock.advance(1'999);
        QCOMPARE(b.shown, 1);
        b.clock.advance(1);
        QCOMPARE(b.shown, 2);
    }

    void theUsersNowIsNotHeldAndStopDropsTheWaitingCard()
    {
        Bench b;
        b.gate.setFullScreen(true);
        b.cycle.start(QStringLiteral("2"), S::Seconds, QStringLiteral("5"));
        b.clock.advance(2'000);
        QVERIFY(b.cycle.cardPending());
        // Asked for now, the waiting card is the one shown: no second later.
        b.cycle.remindNow();
        QCOMPARE(b.shown, 1);
        QVERIFY(!b.cycle.cardPending());
        b.closeCard();
        b.clock.advance(2'000);
        QVERIFY(b.cycle.cardPending());
        b.cycle.stop();
        b.gate.setFullScreen(false);
        QCOMPARE(b.shown, 1);
    }

    void autoStartUsesTheSavedValuesWithoutSaving_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<int>("verdict");
        QTest::addColumn<qint64>("remaining");
        QTest::newRow("hours") << QStringList{"1", "", "0", "2", "5", "#FALSE#", "#FALSE#", "#TRUE#"}
                               << int(ReminderCycle::Verdict::Valid) << qint64(2 * 3600 * 1000);
        QTest::newRow("bad duration") << QStringList{"1", "", "0", "2", "2"} << int(ReminderCycle::Verdict::BadDuration)
                                      << qint64(-1);
        QTest::newRow("never set") << QStringList() << int(ReminderCycle::Verdict::BadInterval) << qint64(-1);
        // Judged on the values, as Start judges what is typed, not on the
        // counts they round to; the timer runs on the count.
        QTest::newRow("interval 0.6") << QStringList{"1", "", "0", "0.6", "5"}
                                      << int(ReminderCycle::Verdict::BadInterval) << qint64(-1);
        QTest::newRow("interval 0.4") << QStringList{"1", "", "0", "0.4", "5"}
                                      << int(ReminderCycle::Verdict::BadInterval) << qint64(-1);
        QTest::newRow("interval 59.4") << QStringList{"1", "", "0", "59.4", "5"}
                                       << int(ReminderCycle::Verdict::BadInterval) << qint64(-1);
        QTest::newRow("duration 2.6") << QStringList{"1", "", "0", "5", "2.6"}
                                      << int(ReminderCycle::Verdict::BadDuration) << qint64(-1);
        QTest::newRow("interval 2.5 runs on 2")
            << QStringList{"1", "", "0", "2.5", "3"} << int(ReminderCycle::Verdict::Valid) << qint64(2'000);
    }
    void autoStartUsesTheSavedValuesWithoutSaving()
    {
        QFETCH(QStringList, fields);
        QFETCH(int, verdict);
        QFETCH(qint64, remaining);
        Bench b;
        b.settings.setValues(Settings::fromFields(fields));
        QCOMPARE(int(b.cycle.autoStart()), verdict);
        QCOMPARE(b.cycle.remainingMs(), remaining);
        QVERIFY(!QFile::exists(b.settings.path()));
    }
};

QTEST_GUILESS_MAIN(TestReminderCycle)
#include "tst_remindercycle.moc"
