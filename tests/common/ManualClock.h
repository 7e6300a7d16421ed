#pragma once

#include "core/cycle/Clock.h"

#include <QTimeZone>

// A clock the test moves by hand; timers re-check on every move. Its wall
// clock goes with it, in UTC so that no daylight saving change of the
// machine's zone shifts a test's hours.
class ManualClock final : public Clock
{
public:
    qint64 nowMs() const override { return m_now; }
    QDateTime localNow() const override { return m_wall; }
    void advance(qint64 ms)
    {
        m_now += ms;
        m_wall = m_wall.addMSecs(ms);
        Q_EMIT jumped();
    }
    // The machine asleep: the wall clock runs on, steady time (which a
    // timer counts) stands still, and nothing says so until a wake.
    void sleep(qint64 ms) { m_wall = m_wall.addMSecs(ms); }
    // The wall clock set by the user or the network: steady time stays.
    void setLocalNow(const QDateTime &wall)
    {
        m_wall = wall;
        Q_EMIT jumped();
    }

private:
    qint64 m_now = 1'000'000;
    // A Monday morning.
    QDateTime m_wall{QDate(2026, 3, 2), QTime(9, 0), QTimeZone::utc()};
};
