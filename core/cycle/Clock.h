#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>

// Monotonic milliseconds for the interval timers, and the local date and
// time for what the user sets by the wall clock (a pause's end, the active
// hours). A clock that can move in steps (a test's) says so with jumped(),
// and timers look at it again.
class Clock : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    virtual qint64 nowMs() const = 0;
    virtual QDateTime localNow() const = 0;

Q_SIGNALS:
    void jumped();
};

class SteadyClock final : public Clock
{
    Q_OBJECT
public:
    explicit SteadyClock(QObject *parent = nullptr);
    qint64 nowMs() const override;
    QDateTime localNow() const override;

private:
    QElapsedTimer m_elapsed;
};
