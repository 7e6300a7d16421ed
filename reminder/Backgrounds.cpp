#include "reminder/Backgrounds.h"

BackgroundLook backgroundLook(int number)
{
    if (number == 1)
        return {1, std::nullopt, true};
    if (number == 2)
        return {2, OleColor(0x800000), false};
    if (number == 3)
        return {3, OleColor(0x000000), false};
    if (number == 4)
        return {4, OleColor(0x000000), false};
    if (number == 5)
        return {5, OleColor(0x404040), false};
    if (number == 6)
        return {6, OleColor(0xFFFFFF), false};
    return {};
}
