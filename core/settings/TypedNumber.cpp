#include "core/settings/TypedNumber.h"

#include "core/settings/NumericValue.h"
#include "core/settings/Rounding.h"

#include <algorithm>
#include <cstdint>
#include <limits>

double TypedNumber::value() const
{
    return numericValue(m_text);
}

int TypedNumber::count() const
{
    // The record may hold anything: a negative count is none, a huge one the
    // largest a timer takes.
    const std::int64_t n = roundHalfEven(value());
    return int(std::clamp<std::int64_t>(n, 0, std::numeric_limits<int>::max()));
}
