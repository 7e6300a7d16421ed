#pragma once

#include "core/settings/Rounding.h"

#include <QRect>

// Windows laid out in twips (15 to a pixel at 96 dpi): a rectangle given as
// left, top, width and height in twips, in pixels.
inline int twipsToPixels(int twips)
{
    return int(roundHalfEven(double(twips) / 15.0));
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

// twips on a card drawn at percent of its normal size, in whole twips.
inline int scaledTwips(int twips, int percent)
{
    return int(roundHalfEven(double(twips) * percent / 100.0));
}

// A rectangle of the normal card on one drawn at percent of its size.
inline QRect scaledTwipsRect(int left, int top, int width, int height, int percent)
{
    return twipsRect(scaledTwips(left, percent), scaledTwips(top, percent), scaledTwips(width, percent),
                     scaledTwips(height, percent));
}
