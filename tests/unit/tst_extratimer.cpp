#include "common/ManualClock.h"
#include "core/cycle/ExtraTimer.h"

#include <QSignalSpy>
#include <QTest>

class TestExtraTimer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firesAfterTheWholeCount_data()
    {
        QTest::addColumn<TimeUnit>("unit");
        QTest::addColumn<int>("count");
        QTest::addColumn<qint64>("periodMs");
        QTest::newRow("seconds 5") << TimeUnit::Seconds << 5 << qint64(5'000);
        QTest::newRow("minutes 3") << TimeUnit::Minutes << 3 << qint64(180'000);
        QTest::newRow("hours 2") << TimeUnit::Hours << 2 << qint64(7'200'000);
        QTest::newRow("hours 59") << TimeUnit::Hours << 59 << qint64(212'400'000);
    }
    void firesAfterTheWholeCount()
    {
        QFETCH(TimeUnit, unit);
        QFETCH(int, count);
        QFETCH(qint64, periodMs);
        ManualClock clock;
        ExtraTimer t(clock);
        QSignalSpy spy(&t, &ExtraTimer::elapsed);
        t.setTimeUnit(unit);
        t.setEnabled(true);
        t.setInterval(count);
        QCOMPARE(t.remainingMs(), periodMs);
        clock.advance(periodMs - 1);
        QCOMPARE(spy.count(), 0);
        clock.advance(1);
        QCOMPARE(spy.count(), 1);
        // It goes on counting while enabled.
        clock.advance(periodMs);
        QCOMPARE(spy.count(), 2);
    }

    void silentWhileDisabledOrWithoutInterval()
    {
        ManualClock clock;
        ExtraTimer t(clock);
        QSignalSpy spy(&t, &ExtraTimer::elapsed);
        t.setInterval(1);
        clock.advance(10'000);
        QCOMPARE(spy.count(), 0); // never enabled

        ExtraTimer fresh(clock);
        QSignalSpy freshSpy(&fresh, &ExtraTimer::elapsed);
        QCOMPARE(fresh.timeUnit(), TimeUnit::Seconds);
        fresh.setEnabled(true); // switched on with no interval ever given
        clock.advance(100LL * 3600 * 1000);
        QCOMPARE(freshSpy.count(), 0);
        QCOMPARE(fresh.remainingMs(), qint64(-1));
    }

    void switchingOffStopsAndOnRestartsTheCount()
    {
        ManualClock clock;
        ExtraTimer t(clock);
        QSignalSpy spy(&t, &ExtraTimer::elapsed);
        t.setEnabled(true);
        t.setInterval(10);
        clock.advance(9'000);
        t.setEnabled(false);
        clock.advance(60'000);
        QCOMPARE(spy.count(), 0);
        t.setEnabled(true);
        clock.advance(9'999);
        QCOMPARE(spy.count(), 0);
        clock.advance(1);
        QCOMPARE(spy.count(), 1);
    }

    void enablingWhileOnRestartsTheCount()
    {
        ManualClock clock;
        ExtraTimer t(clock);
        QSignalSpy spy(&t, &ExtraTimer::elapsed);
        t.setEnabled(true);
        t.setInterval(10);
        clock.advance(8'000);
        t.setEnabled(true);
        clock.advance(8'000);
        QCOMPARE(spy.count(), 0);
        clock.advance(2'000);
        QCOMPARE(spy.count(), 1);
    }

    void handlerMaySwitchItOff()
    {
        ManualClock clock;
        ExtraTimer t(clock);
        int fired = 0;
        connect(&t, &ExtraTimer::elapsed, &t, [&] {
            ++fired;
            t.setEnabled(false);
        });
        t.setEnabled(true);
        t.setInterval(1);
        clock.advance(5'000);
        clock.advance(5'000);
        QCOMPARE(fired, 1);
        QVERIFY(!t.enabled());
    }

    void missedPeriodsAreNotMadeUp()
    {
        ManualClock clock;
        ExtraTimer t(clock);
        QSignalSpy spy(&t, &ExtraTimer::elapsed);
        t.setEnabled(true);
        t.setInterval(1);
        clock.advance(10'500);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(t.remainingMs(), qint64(1'000));
    }

    void firesOnTheRealClock()
    {
        SteadyClock clock;
        ExtraTimer t(clock);
        QSignalSpy spy(&t, &ExtraTimer::elapsed);
        QElapsedTimer watch;
        watch.start();
        t.setEnabled(true);
        t.setInterval(1);
        QVERIFY(spy.wait(3'000));
        QVERIFY(watch.elapsed() >= 990);
    }
};

QTEST_GUILESS_MAIN(TestExtraTimer)
#include "tst_extratimer.moc"
