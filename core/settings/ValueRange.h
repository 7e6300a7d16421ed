#pragma once

// The whole numbers a setting may take, both ends included.
struct ValueRange
{
    int low;
    int high;
    constexpr bool contains(double value) const { return value >= low && value <= high; }
};
