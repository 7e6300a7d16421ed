#pragma once

#include <QObject>
#include <QTimer>

class Clock;

// Raises timeout() every interval of the given clock while it runs, so that
// a test's clock drives it as the real one does. Missed periods are not
// made up: after a stall the next period starts from the late tick.
//
// A coarse timer is one that runs all day: it wakes on the system's whole
// seconds, so that such timers wake the machine together, and therefore
// counts as due up to half a period (at most half a second) early.
class PeriodicTimer : public QObject
{
    Q_OBJECT
public:
    enum class Precision {
        Precise,
        Coarse
    };

    PeriodicTimer(Clock &clock, qint64 intervalMs, Precision precision, QObject *parent = nullptr);

    qint64 interval() const { return m_intervalMs; }
    bool isActive() const { return m_active; }
    // Starts a fresh period, also when it runs already.
    void start();
    void stop();
    // Runs exactly while on is true; one that runs already keeps its beat.
    void runWhile(bool on);

    // Milliseconds of the clock until it is due, or -1 while stopped.
    qint64 remainingMs() const;

Q_SIGNALS:
    void timeout();

private:
    qint64 slackMs() const;
    void schedule();
    void check();

    Clock &m_clock;
    QTimer m_wake;
    qint64 m_intervalMs;
    Precision m_precision;
    bool m_active = false;
    qint64 m_deadline = 0;
};
