#include "core/cycle/Clock.h"

SteadyClock::SteadyClock(QObject *parent)
    : Clock(parent)
{
    m_elapsed.start();
}

qint64 SteadyClock::nowMs() const
{
    return m_elapsed.elapsed();
}

QDateTime SteadyClock::localNow() const
{
    return QDateTime::currentDateTime();
}
