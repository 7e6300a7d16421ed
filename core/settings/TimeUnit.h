#pragma once

#include <QtGlobal>

// What the interval counts: the unit the user chose beside it, which the
// record keeps and the cycle's timer counts in.
enum class TimeUnit {
    Seconds,
    Minutes,
    Hours
};

constexpr qint64 unitMs(TimeUnit unit)
{
    switch (unit) {
    case TimeUnit::Minutes: return 60LL * 1000;
    case TimeUnit::Hours: return 3600LL * 1000;
    case TimeUnit::Seconds: break;
    }
    return 1000;
}
