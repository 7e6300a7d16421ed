#pragma once

#include <cmath>
#include <cstdint>

// Nearest integer, halves going to the even neighbour (2.5 -> 2, 3.5 -> 4),
// the rounding every conversion of a fraction to a whole number uses here.
inline std::int64_t roundHalfEven(double v)
{
    const double lower = std::floor(v);
    const double diff = v - lower;
    double r = lower;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(lower, 2.0) != 0.0))
        r = lower + 1.0;
    return static_cast<std::int64_t>(r);
}
