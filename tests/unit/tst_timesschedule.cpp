#include "common/ManualClock.h"
#include "core/cycle/ReminderCycle.h"
#include "core/hold/HoldGate.h"
#include "core/hold/HoldSettings.h"
#include "core/settings/Settings.h"
#include "core/times/TimesSchedule.h"
#include "core/times/TimesScheduler.h"
#include "core/times/TimesSettings.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QTimeZone Berlin("Europe/Berlin");

QDateTime berlin(const char *iso)
{
    return QDateTime(QDateTime::fromString(QLatin1String(iso), Qt::ISODate).date(),
                     QDateTime::fromString(QLatin1String(iso), Qt::ISODate).time(), Berlin);
}

QDateTime utc(const char *iso)
{
    return QDateTime::fromString(QLatin1String(iso) + QLatin1Char('Z'), Qt::ISODate);
}

TimedReminder entryAt(QTime time, QList<TextKey> texts = {TextKey::ofBuiltIn(3)})
{
    TimedReminder e;
    e.name = QStringLiteral("test");
    e.time = time;
    e.texts = texts;
    e.enabled = true;
    return e;
}

// The program's wiring of the scheduler, the gate and the interval cycle
// on a hand-moved clock; what comes is written to log.
struct Bench
{
    Bench(const QDateTime &wall, const TimedReminder &entry, const QStringList &ownTexts)
        : settings(dir.filePath(QStringLiteral("background.txt")))
        , hold(dir.filePath(QStringLiteral("hold.ini")))
        , times(dir.filePath(QStringLiteral("times.ini")))
        , gate(hold, clock)
        , cycle(settings, clock)
        , scheduler(times, clock)
    {
        clock.setLocalNow(wall);
        TimesSettings::Values v;
        v.entries = {entry};
        times.setValues(v);
        cycle.setGate(&gate);
        scheduler.setGate(&gate);
        scheduler.setOtherCardUp([this] { return cycle.cardUp(); });
        scheduler.setPlayable([ownTexts](const QList<TextKey> &keys) {
            return TimedSequence::playable(keys, ownTexts, [](const QString &) { return true; });
        });
        QObject::connect(&cycle, &ReminderCycle::showCard, [this] { log << QStringLiteral("interval"); });
        QObject::connect(&scheduler, &TimesScheduler::sequenceStarted, [this] { cycle.rest(); });
        QObject::connect(&scheduler, &TimesScheduler::sequenceEnded, [this] {
            log << QStringLiteral("end");
            cycle.resume();
        });
        QObject::connect(&scheduler, &TimesScheduler::showCard,
                         [this](const TextKey &key, int position, int count, bool) {
                             const QString text = key.isBuiltIn() ? QString::number(key.builtIn) : key.own;
                             log << QStringLiteral("%1 %2/%3").arg(text).arg(position).arg(count);
                         });
    }

    // One step of a row: "start" (the program starts), "+N" (N minutes go
    // by), "wall <ISO>" (the clock set, as by the user or after the machine
    // was off), "full-screen"/"windowed", "pause N", "hours H-H" (active
    // hours), "cycle N" (the interval started at N minutes), "edit" (an
    // entry added), "close".
    void step(const QString &step)
    {
        const QStringList words = step.split(QLatin1Char(' '));
        const QString verb = words.at(0);
        const QString arg = words.value(1);
        if (verb == u"start") {
            scheduler.start();
        } else if (verb.startsWith(QLatin1Char('+'))) {
            clock.advance(verb.mid(1).toLongLong() * 60 * 1000);
        } else if (verb == u"wall") {
            clock.setLocalNow(QDateTime(QDateTime::fromString(arg, Qt::ISODate).date(),
                                        QDateTime::fromString(arg, Qt::ISODate).time(), clock.localNow().timeZone()));
        } else if (verb == u"full-screen" || verb == u"windowed") {
            gate.setFullScreen(verb == u"full-screen");
        } else if (verb == u"pause") {
            gate.pauseUntil(clock.localNow().addSecs(arg.toInt() * 60));
        } else if (verb == u"hours") {
            HoldSettings::Values h = hold.values();
            h.activeHours = true;
            h.hoursStart = QTime(arg.section(QLatin1Char('-'), 0, 0).toInt(), 0);
            h.hoursEnd = QTime(arg.section(QLatin1Char('-'), 1, 1).toInt(), 0);
            hold.setValues(h);
        } else if (verb == u"cycle") {
            QCOMPARE(cycle.start(arg, Settings::Unit::Minutes, QStringLiteral("10")), ReminderCycle::Verdict::Valid);
        } else if (verb == u"edit") {
            // The user adds an entry before the others, as the window may.
            TimesSettings::Values v = times.values();
            v.entries.prepend(TimedReminder());
            times.setValues(v);
        } else if (verb == u"close") {
            // As the program does: the card that went is the sequence's
            // while one runs, else the interval's.
            if (scheduler.running()) {
                scheduler.cardClosed();
            } else {
                cycle.cardClosed();
                scheduler.otherCardClosed();
            }
        } else {
            QFAIL(qPrintable(QStringLiteral("no such step: ") + step));
        }
    }

    QTemporaryDir dir;
    ManualClock clock;
    Settings settings;
    HoldSettings hold;
    TimesSettings times;
    HoldGate gate;
    ReminderCycle cycle;
    TimesScheduler scheduler;
    QStringList log;
};

} // namespace

class TestTimesSchedule : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // One entry judged at one moment: what is due, what is skipped, and
    // when the timer wakes next.
    void decide_data()
    {
        QTest::addColumn<TimedReminder>("entry");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("verdict"); // due, skipped or none
        QTest::addColumn<QDate>("day");       // the day the verdict marks
        QTest::addColumn<QDateTime>("next");

        // Each came the day before, unless a row says otherwise.
        TimedReminder six = entryAt(QTime(6, 0));
        six.lastShown = QDate(2026, 3, 1);
        TimedReminder shownToday = six;
        shownToday.lastShown = QDate(2026, 3, 2);
        TimedReminder tuesdays = six;
        tuesdays.days = HoldSettings::dayBit(Qt::Tuesday);
        TimedReminder late = entryAt(QTime(23, 30));
        late.lastShown = QDate(2026, 2, 28);
        TimedReminder farAhead = six;
        farAhead.lastShown = QDate(2031, 1, 1);
        TimedReminder off = six;
        off.enabled = false;
        const TimedReminder noTexts = entryAt(QTime(6, 0), {});
        TimedReminder skippedHour = entryAt(QTime(2, 30));
        skippedHour.lastShown = QDate(2026, 3, 28);
        TimedReminder repeatedHour = entryAt(QTime(2, 30));
        repeatedHour.lastShown = QDate(2026, 10, 25);

        // 2026-03-02 is a Monday.
        QTest::newRow("at its time") << six << utc("2026-03-02T06:00") << "due" << QDate(2026, 3, 2)
                                     << utc("2026-03-03T06:00");
        QTest::newRow("a minute before") << six << utc("2026-03-02T05:59") << "none" << QDate()
                                         << utc("2026-03-02T06:00");
        QTest::newRow("already came today")
            << shownToday << utc("2026-03-02T07:00") << "none" << QDate() << utc("2026-03-03T06:00");
        QTest::newRow("not its day") << tuesdays << utc("2026-03-02T06:00") << "none" << QDate()
                                     << utc("2026-03-03T06:00");
        QTest::newRow("off until just inside the grace")
            << six << utc("2026-03-02T08:00") << "due" << QDate(2026, 3, 2) << utc("2026-03-03T06:00");
        QTest::newRow("off until past the grace")
            << six << utc("2026-03-02T08:01") << "skipped" << QDate(2026, 3, 2) << utc("2026-03-03T06:00");
        QTest::newRow("yesterday's, started after midnight")
            << late << utc("2026-03-02T00:30") << "due" << QDate(2026, 3, 1) << utc("2026-03-02T23:30");
        QTest::newRow("clock put back after it came")
            << shownToday << utc("2026-03-02T05:00") << "none" << QDate() << utc("2026-03-03T06:00");
        QTest::newRow("clock put back past midnight after it came")
            << shownToday << utc("2026-03-01T23:00") << "none" << QDate() << utc("2026-03-03T06:00");
        QTest::newRow("a clock once far ahead costs one day")
            << farAhead << utc("2026-03-02T07:00") << "none" << QDate() << utc("2026-03-03T06:00");
        QTest::newRow("off") << off << utc("2026-03-02T06:00") << "none" << QDate() << QDateTime();
        QTest::newRow("no texts") << noTexts << utc("2026-03-02T06:00") << "none" << QDate() << QDateTime();
        QTest::newRow("before the skipped hour")
            << skippedHour << berlin("2026-03-29T01:59") << "none" << QDate() << utc("2026-03-29T01:00");
        QTest::newRow("the skipped hour's end")
            << skippedHour << berlin("2026-03-29T03:00") << "due" << QDate(2026, 3, 29) << utc("2026-03-30T00:30");
        QTest::newRow("the repeated hour, first time")
            << skippedHour << QDateTime(utc("2026-10-25T00:30")).toTimeZone(Berlin) << "due" << QDate(2026, 10, 25)
            << utc("2026-10-26T01:30");
        QTest::newRow("the repeated hour, second time")
            << repeatedHour << QDateTime(utc("2026-10-25T01:30")).toTimeZone(Berlin) << "none" << QDate()
            << utc("2026-10-26T01:30");
    }
    void decide()
    {
        QFETCH(TimedReminder, entry);
        QFETCH(QDateTime, now);
        QFETCH(QString, verdict);
        QFETCH(QDate, day);
        QFETCH(QDateTime, next);
        const TimesSchedule::Decision d = TimesSchedule::decide({entry}, now, 120);
        const QList<TimesSchedule::Hit> &hits = verdict == u"due" ? d.due : d.skipped;
        QCOMPARE(d.due.size() + d.skipped.size(), verdict == u"none" ? 0 : 1);
        if (verdict != u"none") {
            QCOMPARE(hits.size(), 1);
            QCOMPARE(hits.first().day, day);
        }
        QCOMPARE(d.next.toUTC(), next);
    }

    // Whole days on the program's wiring: the steps of each row and what
    // came of them, in order.
    void scheduler_data()
    {
        QTest::addColumn<QDateTime>("wall");
        QTest::addColumn<TimedReminder>("entry");
        QTest::addColumn<QStringList>("ownTexts");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected");

        const QList<TextKey> three{TextKey::ofBuiltIn(3), TextKey::ofBuiltIn(7), TextKey::ofBuiltIn(9)};
        const TimedReminder six = entryAt(QTime(6, 0), three);
        const QStringList all{"3 1/3", "7 2/3", "9 3/3", "end"};
        const QDateTime five = utc("2026-03-02T05:00");

        QTest::newRow("comes at its time, in order, once")
            << five << six << QStringList() << QStringList{"start", "+59", "+1", "close", "close", "close", "+60"}
            << all;
        QTest::newRow("waits for a full-screen window")
            << five << six << QStringList()
            << QStringList{"start", "full-screen", "+60", "+180", "windowed", "close", "close", "close"} << all;
        QTest::newRow("an edit meanwhile does not lose one that waits")
            << five << six << QStringList()
            << QStringList{"start", "full-screen", "+60", "+180", "edit", "windowed", "close", "close", "close"} << all;
        QTest::newRow("waits for a pause")
            << five << six << QStringList()
            << QStringList{"start", "pause 90", "+60", "+29", "+1", "close", "close", "close"} << all;
        QTest::newRow("the active hours do not hold it")
            << five << six << QStringList() << QStringList{"hours 8-22", "start", "+60", "close", "close", "close"}
            << all;
        QTest::newRow("missed while off, within the grace") << utc("2026-03-02T07:30") << six << QStringList()
                                                            << QStringList{"start", "close", "close", "close"} << all;
        QTest::newRow("missed while off, past the grace")
            << utc("2026-03-02T08:30") << six << QStringList() << QStringList{"start", "+600"} << QStringList();
        QTest::newRow("asleep before its time, woken within the grace")
            << five << six << QStringList() << QStringList{"start", "wall 2026-03-02T07:10", "close", "close", "close"}
            << all;
        QTest::newRow("asleep before its time, woken past the grace")
            << five << six << QStringList() << QStringList{"start", "wall 2026-03-02T09:00"} << QStringList();
        QTest::newRow("clock put back after it came")
            << five << six << QStringList()
            << QStringList{"start", "+60", "close", "close", "close", "wall 2026-03-02T05:30", "+60"} << all;
        QTest::newRow("the night the clocks skip an hour")
            << berlin("2026-03-29T01:00") << entryAt(QTime(2, 30), three) << QStringList()
            << QStringList{"start", "+59", "+1", "close", "close", "close"} << all;
        QTest::newRow("the night the clocks repeat an hour")
            << berlin("2026-10-25T02:00") << entryAt(QTime(2, 30), three) << QStringList()
            << QStringList{"start", "+30", "close", "close", "close", "+60", "+30"} << all;
        QTest::newRow("the interval rests while the sequence runs")
            << utc("2026-03-02T05:50") << six << QStringList()
            << QStringList{"cycle 25", "start", "+10", "+30", "close", "close", "close", "+24", "+1"}
            << QStringList{"3 1/3", "7 2/3", "9 3/3", "end", "interval"};
        QTest::newRow("waits for the interval's card to go")
            << utc("2026-03-02T05:56") << six << QStringList()
            << QStringList{"cycle 3", "start", "+3", "+1", "close", "close", "close", "close"}
            << QStringList{"interval", "3 1/3", "7 2/3", "9 3/3", "end"};
        QTest::newRow("a text of the user's deleted since is left out")
            << five << entryAt(QTime(6, 0), {TextKey::ofOwn("kept"), TextKey::ofOwn("gone"), TextKey::ofBuiltIn(5)})
            << QStringList{"kept"} << QStringList{"start", "+60", "close", "close"}
            << QStringList{"kept 1/2", "5 2/2", "end"};
        QTest::newRow("nothing left to show still counts as today's")
            << five << entryAt(QTime(6, 0), {TextKey::ofOwn("gone")}) << QStringList() << QStringList{"start", "+60"}
            << QStringList();
    }
    void scheduler()
    {
        QFETCH(QDateTime, wall);
        QFETCH(TimedReminder, entry);
        QFETCH(QStringList, ownTexts);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        Bench bench(wall, entry, ownTexts);
        QVERIFY(bench.dir.isValid());
        for (const QString &step : steps) {
            bench.step(step);
            if (QTest::currentTestFailed())
                return;
        }
        QCOMPARE(bench.log, expected);
        // Come, or skipped, or without a text left to show: today is done.
        QCOMPARE(bench.times.values().entries.last().lastShown, bench.clock.localNow().date());
        // Whatever came has gone: the interval counts again if it runs.
        QCOMPARE(bench.cycle.resting(), bench.scheduler.running());
    }
};

QTEST_GUILESS_MAIN(TestTimesSchedule)
#include "tst_timesschedule.moc"
