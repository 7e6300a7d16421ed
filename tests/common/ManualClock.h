#pragma once

#include "core/Clock.h"

// A clock the test moves by hand; timers re-check on every move.
class ManualClock final : public Clock
{
public:
    qint64 nowMs() const override { return m_now; }
    void advance(qint64 ms)
    {
        m_now += ms;
        Q_EMIT jumped();
    }

private:
    qint64 m_now = 1'000'000;
};
