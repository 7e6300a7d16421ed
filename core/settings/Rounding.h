#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// Nearest integer, halves going to the even neighbour (2.5 -> 2, 3.5 -> 4),
// the rounding every conversion of a fraction to a whole number uses here.
// Values beyond the 64-bit range give its ends and NaN gives 0: numbers
// come from the settings file, which may hold anything.
inline std::int64_t roundHalfEven(double v)
{
    using Limits = std::numeric_limits<std::int64_t>;
    if (std::isnan(v))
        return 0;
    // 2^63 is exact as a double; every double below it converts safely.
    constexpr double kTop = 9223372036854775808.0;
    if (v >= kTop)
        return Limits::max();
    if (v < -kTop)
        return Limits::min();
    const double lower = std::floor(v);
    const double diff = v - lower;
    double r = lower;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(lower, 2.0) != 0.0))
        r = lower + 1.0;
    if (r >= kTop)
        return Limits::max();
    return static_cast<std::int64_t>(r);
}
