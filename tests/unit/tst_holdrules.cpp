#include "common/ManualClock.h"
#include "core/hold/HoldGate.h"
#include "core/hold/HoldRules.h"
#include "core/hold/HoldSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

Q_DECLARE_METATYPE(HoldSettings::Values)
Q_DECLARE_METATYPE(DesktopState)

namespace {

using V = HoldSettings::Values;
using R = HoldReason;

// 2026-03-02 is a Monday; days of that week by their Qt number.
QDateTime at(int dayOfWeek, int hour, int minute = 0, int second = 0)
{
    return QDateTime(QDate(2026, 3, 1 + dayOfWeek), QTime(hour, minute, second), QTimeZone::utc());
}

const QDateTime kMonday9 = at(Qt::Monday, 9);

const QByteArray kOlderFile = "full-screen=false\ndo-not-disturb=false\naway=true\naway-minutes=120\n"
                              "active-hours=true\nhours-start=22:30\nhours-end=06:15\ndays=fri,sun\n"
                              "monitor=active-window\npaused-until=2026-03-02T14:30:05.250Z\n";

V hours(int from, int to, int days = HoldSettings::AllDays)
{
    V v;
    v.activeHours = true;
    v.hoursStart = QTime(from, 0);
    v.hoursEnd = QTime(to, 0);
    v.days = days;
    return v;
}

V pausedUntil(const QDateTime &end, V v = V())
{
    v.pausedUntil = end;
    return v;
}

V without(bool V::*option)
{
    V v;
    v.*option = false;
    return v;
}

DesktopState desktop(bool fullScreen, bool dnd, bool locked, qint64 idleMs = 0)
{
    return DesktopState{fullScreen, dnd, locked, idleMs};
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestHoldRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void reason_data()
    {
        QTest::addColumn<V>("settings");
        QTest::addColumn<DesktopState>("state");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<R>("expected");
        const DesktopState calm;
        V away;
        away.away = true;
        const V weekend = hours(22, 6, HoldSettings::dayBit(Qt::Friday));

        QTest::newRow("nothing holds") << V() << calm << kMonday9 << R::None;
        QTest::newRow("full screen") << V() << desktop(true, false, false) << kMonday9 << R::FullScreen;
        QTest::newRow("full screen not followed")
            << without(&V::fullScreen) << desktop(true, false, false) << kMonday9 << R::None;
        QTest::newRow("do not disturb") << V() << desktop(true, true, false) << kMonday9 << R::DoNotDisturb;
        QTest::newRow("do not disturb not followed")
            << without(&V::doNotDisturb) << desktop(false, true, false) << kMonday9 << R::None;
        QTest::newRow("locked, whatever the choices") << pausedUntil(kMonday9.addSecs(60), without(&V::doNotDisturb))
                                                      << desktop(true, true, true) << kMonday9 << R::ScreenLocked;
        QTest::newRow("idle short of the minutes")
            << away << desktop(false, false, false, 5 * 60'000 - 1) << kMonday9 << R::None;
        QTest::newRow("away") << away << desktop(false, false, false, 5 * 60'000) << kMonday9 << R::Away;
        QTest::newRow("away not followed") << V() << desktop(false, false, false, 3'600'000) << kMonday9 << R::None;
        QTest::newRow("paused") << pausedUntil(kMonday9.addSecs(1)) << desktop(true, false, false) << kMonday9
                                << R::Paused;
        QTest::newRow("pause over") << pausedUntil(kMonday9) << calm << kMonday9 << R::None;
        QTest::newRow("pause two days ahead") << pausedUntil(kMonday9.addDays(2)) << calm << kMonday9 << R::Paused;
        QTest::newRow("pause beyond, clock set back")
            << pausedUntil(kMonday9.addSecs(MaxPauseAheadSecs + 1)) << calm << kMonday9 << R::None;
        QTest::newRow("before the hours") << hours(8, 22) << calm << at(Qt::Monday, 7, 59, 59) << R::OutsideActiveHours;
        QTest::newRow("hours open") << hours(8, 22) << calm << at(Qt::Monday, 8) << R::None;
        QTest::newRow("hours closed") << hours(8, 22) << calm << at(Qt::Monday, 22) << R::OutsideActiveHours;
        QTest::newRow("not a chosen day")
            << hours(8, 22, HoldSettings::dayBit(Qt::Tuesday)) << calm << kMonday9 << R::OutsideActiveHours;
        QTest::newRow("night from Friday") << weekend << calm << at(Qt::Friday, 23) << R::None;
        QTest::newRow("Friday's night on Saturday") << weekend << calm << at(Qt::Saturday, 5, 59) << R::None;
        QTest::newRow("Friday's night over") << weekend << calm << at(Qt::Saturday, 6) << R::OutsideActiveHours;
        QTest::newRow("Thursday's night not chosen") << weekend << calm << at(Qt::Friday, 5) << R::OutsideActiveHours;
        QTest::newRow("Saturday night not chosen") << weekend << calm << at(Qt::Saturday, 23) << R::OutsideActiveHours;
        QTest::newRow("equal ends: the whole day")
            << hours(0, 0, HoldSettings::dayBit(Qt::Monday)) << calm << at(Qt::Monday, 23, 59) << R::None;
        QTest::newRow("pause named before hours")
            << pausedUntil(kMonday9.addSecs(60), hours(10, 12)) << calm << kMonday9 << R::Paused;
    }
    void reason()
    {
        QFETCH(V, settings);
        QFETCH(DesktopState, state);
        QFETCH(QDateTime, now);
        QFETCH(R, expected);
        QCOMPARE(holdReason(settings, state, now), expected);
    }

    // When the wall clock's holds end, and that the card is free exactly
    // then and not a second earlier.
    void timeHoldEnds_data()
    {
        QTest::addColumn<V>("settings");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("end");
        const int weekdays = 0x1f;
        QTest::newRow("nothing") << V() << kMonday9 << QDateTime();
        QTest::newRow("inside the hours") << hours(8, 22) << kMonday9 << QDateTime();
        QTest::newRow("a pause") << pausedUntil(kMonday9.addSecs(90)) << kMonday9 << kMonday9.addSecs(90);
        QTest::newRow("a pause into the night")
            << pausedUntil(at(Qt::Monday, 23), hours(8, 22)) << kMonday9 << at(Qt::Tuesday, 8);
        QTest::newRow("Friday evening to Monday")
            << hours(8, 17, weekdays) << at(Qt::Friday, 17) << at(Qt::Monday, 8).addDays(7);
        QTest::newRow("before today's hours") << hours(10, 2) << kMonday9 << at(Qt::Monday, 10);
        QTest::newRow("no day chosen") << hours(8, 22, 0) << kMonday9 << QDateTime();
        QTest::newRow("pause ten years ahead") << pausedUntil(kMonday9.addYears(10)) << kMonday9 << QDateTime();
    }
    void timeHoldEnds()
    {
        QFETCH(V, settings);
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, end);
        QCOMPARE(timeHoldEnd(settings, now), end);
        if (end.isValid()) {
            QVERIFY(holdReason(settings, DesktopState(), end.addSecs(-1)) != R::None);
            QCOMPARE(holdReason(settings, DesktopState(), end), R::None);
        }
    }

    // The menus' lengths and the command line's minutes end by the same rule.
    void pauseLengths_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<bool>("untilTomorrow");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("end");
        QTest::newRow("a quarter") << PauseLength::QuarterHour.minutes << false << at(Qt::Sunday, 23, 50)
                                   << at(Qt::Monday, 0, 5).addDays(7);
        QTest::newRow("an hour") << PauseLength::Hour.minutes << false << kMonday9 << at(Qt::Monday, 10);
        QTest::newRow("a day of minutes") << 1440 << false << kMonday9 << at(Qt::Tuesday, 9);
        QTest::newRow("tomorrow, late") << 0 << true << at(Qt::Monday, 23, 59) << at(Qt::Tuesday, 0);
        QTest::newRow("tomorrow, at midnight") << 0 << true << at(Qt::Monday, 0) << at(Qt::Tuesday, 0);
    }
    void pauseLengths()
    {
        QFETCH(int, minutes);
        QFETCH(bool, untilTomorrow);
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, end);
        QCOMPARE(pauseEnd(PauseLength{minutes, untilTomorrow}, now), end);
    }

    void pauseNotices_data()
    {
        QTest::addColumn<QDateTime>("end");
        QTest::addColumn<QString>("notice");
        QTest::newRow("later today") << at(Qt::Monday, 14, 30) << QStringLiteral("متوقف مؤقتاً حتى 14:30");
        QTest::newRow("until tomorrow") << at(Qt::Tuesday, 0) << QStringLiteral("متوقف مؤقتاً حتى الغد");
        QTest::newRow("an hour past midnight")
            << at(Qt::Tuesday, 0, 45) << QStringLiteral("متوقف مؤقتاً حتى الغد 00:45");
    }
    void pauseNotices()
    {
        QFETCH(QDateTime, end);
        QFETCH(QString, notice);
        QCOMPARE(pauseNotice(end, at(Qt::Monday, 13)), notice);
    }

    void fileText_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("damaged");
        QTest::addColumn<V>("expected");
        V odd;
        odd.fullScreen = false;
        odd.doNotDisturb = false;
        odd.away = true;
        odd.awayMinutes = 120;
        odd.activeHours = true;
        odd.hoursStart = QTime(22, 30);
        odd.hoursEnd = QTime(6, 15);
        odd.days = HoldSettings::dayBit(Qt::Friday) | HoldSettings::dayBit(Qt::Sunday);
        odd.monitor = HoldSettings::Monitor::ActiveWindow;
        odd.pausedUntil = QDateTime(QDate(2026, 3, 2), QTime(14, 30, 5, 250), QTimeZone::utc()).toLocalTime();
        V older = odd;
        odd.corner = CardGeometry::Corner::TopLeft;
        odd.size = CardGeometry::Size::Larger;
        V pointer;
        pointer.monitor = HoldSettings::Monitor::Pointer;
        V topRightSmall;
        topRightSmall.corner = CardGeometry::Corner::TopRight;
        topRightSmall.size = CardGeometry::Size::Small;

        QTest::newRow("empty") << QByteArray() << false << V();
        QTest::newRow("written") << HoldSettings::encode(odd) << false << odd;
        // As the version before the card's corner and size wrote it.
        QTest::newRow("older, without corner and size") << kOlderFile << false << older;
        QTest::newRow("corner and size by hand")
            << QByteArray("Corner = TOP-RIGHT\nsize=Small\n") << false << topRightSmall;
        QTest::newRow("by hand: CR LF, BOM, blanks, case, comments")
            << QByteArray("\xef\xbb\xbf# mine\r\n  Monitor = POINTER \r\n\r\nfuture-key=3\r\n") << false << pointer;
        QTest::newRow("out of range: each its default")
            << QByteArray("away-minutes=0\nhours-start=24:00\nhours-end=7\ndays=mon,funday\nmonitor=left\n"
                          "full-screen=maybe\npaused-until=soon\ncorner=middle\nsize=huge\n")
            << false << V();
        QTest::newRow("too many minutes") << QByteArray("away-minutes=121") << false << V();
        QTest::newRow("no day is every day") << QByteArray("days=") << false << V();
        QTest::newRow("not key=value") << QByteArray("monitor=pointer\n[hold]\n") << true << V();
        QTest::newRow("not UTF-8") << QByteArray("monitor=pointer\n\xff\xfe") << true << V();
        QTest::newRow("binary") << QByteArray("monitor=pointer\0", 16) << true << V();
        QTest::newRow("too long") << QByteArray("# ").append(HoldSettings::ReadLimit, 'x') << true << V();
    }
    void fileText()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, damaged);
        QFETCH(V, expected);
        const HoldSettings::Parsed parsed = HoldSettings::parse(text);
        QCOMPARE(parsed.damaged, damaged);
        QVERIFY(parsed.values == expected);
    }

    // An older version reads what this one writes: the keys it knew come
    // first, as it wrote them.
    void theOlderKeysAreWrittenAsBefore()
    {
        V v = HoldSettings::parse(kOlderFile).values;
        v.corner = CardGeometry::Corner::BottomLeft;
        v.size = CardGeometry::Size::Large;
        QVERIFY(HoldSettings::encode(v).startsWith(kOlderFile));
    }

    // What cannot be used gives the defaults and says why, and is moved
    // aside as it was, under the first free name, before the next save
    // writes the choices anew: a second damage goes to the next name.
    void aFileThatCannotBeUsedIsKeptAside_data()
    {
        QTest::addColumn<QList<QByteArray>>("damages"); // each then loaded and saved
        QTest::addColumn<bool>("folder");
        QTest::addColumn<int>("problem");
        const QByteArray oneBadLine = "away=true\naway-minutes=30\nmonitor=pointer\ngarbage\n";
        QTest::newRow("missing") << QList<QByteArray>{QByteArray()} << false << int(HoldSettings::Problem::None);
        QTest::newRow("one bad line among the choices")
            << QList<QByteArray>{oneBadLine} << false << int(HoldSettings::Problem::Damaged);
        QTest::newRow("damaged twice") << QList<QByteArray>{oneBadLine, QByteArray("\xff\xfe not text")} << false
                                       << int(HoldSettings::Problem::Damaged);
        QTest::newRow("a folder in its place")
            << QList<QByteArray>{QByteArray()} << true << int(HoldSettings::Problem::Unreadable);
    }
    void aFileThatCannotBeUsedIsKeptAside()
    {
        QFETCH(QList<QByteArray>, damages);
        QFETCH(bool, folder);
        QFETCH(int, problem);
        QTemporaryDir dir;
        const QString path = dir.filePath(QLatin1String(HoldSettings::FileName));
        HoldSettings settings(path);
        for (qsizetype i = 0; i < damages.size(); ++i) {
            const QByteArray &content = damages.at(i);
            if (folder)
                QVERIFY(QDir(dir.path()).mkdir(QLatin1String(HoldSettings::FileName)));
            else if (!content.isEmpty())
                QVERIFY(writeFile(path, content));
            V changed;
            changed.away = true;
            settings.setValues(changed);
            settings.load();
            QVERIFY(settings.values() == V());
            QCOMPARE(int(settings.problem()), problem);
            const QString keptAs = problem == int(HoldSettings::Problem::None)
                ? QString()
                : path + QStringLiteral(".damaged-%1").arg(i + 1);
            QCOMPARE(settings.setAside(), keptAs);

            V chosen;
            chosen.monitor = HoldSettings::Monitor::ActiveWindow;
            settings.setValues(chosen);
            QVERIFY(settings.save());
            QFile saved(path);
            QVERIFY(saved.open(QIODevice::ReadOnly));
            QCOMPARE(saved.readAll(), HoldSettings::encode(chosen));
        }
        // Every kept file still holds what the user had.
        for (qsizetype i = 0; i < damages.size() && problem != int(HoldSettings::Problem::None); ++i) {
            const QString kept = path + QStringLiteral(".damaged-%1").arg(i + 1);
            if (folder) {
                QVERIFY(QFileInfo(kept).isDir());
                continue;
            }
            QFile f(kept);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), damages.at(i));
        }
    }

    void aPauseOutlastsARestart()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QLatin1String(HoldSettings::FileName));
        ManualClock clock;
        clock.advance(1'234);
        HoldSettings settings(path);
        HoldGate gate(settings, clock);
        QVERIFY(gate.pause(PauseLength::Hour));

        HoldSettings reloaded(path);
        reloaded.load();
        HoldGate after(reloaded, clock);
        QCOMPARE(after.reason(), R::Paused);
        QCOMPARE(after.pausedUntil(), clock.localNow().addSecs(3600));
        QVERIFY(after.resume());
        reloaded.load();
        QCOMPARE(after.reason(), R::None);
        QVERIFY(!reloaded.values().pausedUntil.isValid());
    }
};

QTEST_GUILESS_MAIN(TestHoldRules)
#include "tst_holdrules.moc"
