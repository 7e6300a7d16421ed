#pragma once

#include "core/settings/TimeUnit.h"

#include <QObject>
#include <QTimer>

class Clock;

// Counts whole seconds, minutes or hours and raises elapsed() each time the
// count has passed while it is enabled. Switching it on, even when it is on
// already, starts a fresh count; so does a new interval or unit. With no
// interval (or one of 0) it never fires.
class ExtraTimer : public QObject
{
    Q_OBJECT
public:
    explicit ExtraTimer(Clock &clock, QObject *parent = nullptr);

    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    TimeUnit timeUnit() const { return m_unit; }
    void setTimeUnit(TimeUnit unit);
    qint64 interval() const { return m_interval; }
    void setInterval(qint64 count);

    // Milliseconds from now until the next elapsed(), or -1 when none is due.
    qint64 remainingMs() const;

Q_SIGNALS:
    void elapsed();

private:
    void restart();
    void schedule();
    void check();
    qint64 periodMs() const;

    Clock &m_clock;
    QTimer m_wake;
    bool m_enabled = false;
    TimeUnit m_unit = TimeUnit::Seconds;
    qint64 m_interval = 0;
    qint64 m_deadline = 0;
};
