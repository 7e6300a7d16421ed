#include "common/ManualClock.h"
#include "core/cycle/PeriodicTimer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

using Precision = PeriodicTimer::Precision;
Q_DECLARE_METATYPE(PeriodicTimer::Precision)

class TestPeriodicTimer : public QObject
{
    Q_OBJECT

    static void addRows()
    {
        QTest::addColumn<qint64>("interval");
        QTest::addColumn<Precision>("precision");
        QTest::addColumn<qint64>("dueAfter");
        QTest::newRow("precise 10 ms") << qint64(10) << Precision::Precise << qint64(10);
        QTest::newRow("precise 100 ms") << qint64(100) << Precision::Precise << qint64(100);
        QTest::newRow("coarse 200 ms: half early") << qint64(200) << Precision::Coarse << qint64(100);
        QTest::newRow("coarse 1 s: half early") << qint64(1000) << Precision::Coarse << qint64(500);
        QTest::newRow("coarse 4 s: half a second early") << qint64(4000) << Precision::Coarse << qint64(3500);
    }

private Q_SLOTS:
    void keepsItsBeat_data() { addRows(); }
    void keepsItsBeat()
    {
        QFETCH(qint64, interval);
        QFETCH(Precision, precision);
        QFETCH(qint64, dueAfter);
        ManualClock clock;
        PeriodicTimer t(clock, interval, precision);
        QSignalSpy spy(&t, &PeriodicTimer::timeout);
        t.start();
        QCOMPARE(t.remainingMs(), dueAfter);
        clock.advance(dueAfter - 1);
        QCOMPARE(spy.count(), 0);
        clock.advance(1);
        QCOMPARE(spy.count(), 1);
        // The next one a whole interval later, however early this one was.
        clock.advance(interval - 1);
        QCOMPARE(spy.count(), 1);
        clock.advance(1);
        QCOMPARE(spy.count(), 2);
    }

    void missedPeriodsAreNotMadeUp_data() { addRows(); }
    void missedPeriodsAreNotMadeUp()
    {
        QFETCH(qint64, interval);
        QFETCH(Precision, precision);
        QFETCH(qint64, dueAfter);
        ManualClock clock;
        PeriodicTimer t(clock, interval, precision);
        QSignalSpy spy(&t, &PeriodicTimer::timeout);
        t.start();
        clock.advance(10 * interval + interval / 3);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(t.remainingMs(), dueAfter);
    }

    void runWhileKeepsTheBeatAndStops()
    {
        ManualClock clock;
        PeriodicTimer t(clock, 100, Precision::Precise);
        QSignalSpy spy(&t, &PeriodicTimer::timeout);
        t.runWhile(true);
        clock.advance(60);
        t.runWhile(true); // already running: no fresh count
        clock.advance(40);
        QCOMPARE(spy.count(), 1);
        t.runWhile(false);
        QVERIFY(!t.isActive());
        QCOMPARE(t.remainingMs(), qint64(-1));
        clock.advance(1000);
        QCOMPARE(spy.count(), 1);
        // start() always counts afresh.
        t.start();
        clock.advance(60);
        t.start();
        clock.advance(60);
        QCOMPARE(spy.count(), 1);
        clock.advance(40);
        QCOMPARE(spy.count(), 2);
    }

    void handlerMayStopIt()
    {
        ManualClock clock;
        PeriodicTimer t(clock, 10, Precision::Precise);
        int fired = 0;
        connect(&t, &PeriodicTimer::timeout, &t, [&] {
            ++fired;
            t.stop();
        });
        t.start();
        clock.advance(10);
        clock.advance(10);
        QCOMPARE(fired, 1);
        QVERIFY(!t.isActive());
    }

    // On the real clock the wakes come from the system's timers; a coarse
    // one wakes on whole seconds, still once a second.
    void runsOnTheRealClock_data()
    {
        QTest::addColumn<qint64>("interval");
        QTest::addColumn<Precision>("precision");
        QTest::addColumn<qint64>("earliest");
        QTest::addColumn<qint64>("latest");
        QTest::newRow("precise 50 ms") << qint64(50) << Precision::Precise << qint64(100) << qint64(600);
        QTest::newRow("coarse 1 s") << qint64(1000) << Precision::Coarse << qint64(1500) << qint64(3200);
    }
    void runsOnTheRealClock()
    {
        QFETCH(qint64, interval);
        QFETCH(Precision, precision);
        QFETCH(qint64, earliest);
        QFETCH(qint64, latest);
        SteadyClock clock;
        PeriodicTimer t(clock, interval, precision);
        QElapsedTimer watch;
        int fired = 0;
        qint64 second = -1;
        // Timed at the second wake and stopped there: on a busy machine the
        // test may look again only after several more wakes.
        connect(&t, &PeriodicTimer::timeout, &t, [&] {
            if (++fired == 2) {
                second = watch.elapsed();
                t.stop();
            }
        });
        watch.start();
        t.start();
        QTRY_COMPARE_WITH_TIMEOUT(fired, 2, int(latest + 1000));
        QVERIFY2(second >= earliest && second <= latest, qPrintable(QString::number(second)));
    }
};

QTEST_GUILESS_MAIN(TestPeriodicTimer)
#include "tst_periodictimer.moc"
