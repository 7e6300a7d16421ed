#include "core/card/CardGeometry.h"

#include "core/card/Twips.h"

#include <algorithm>

namespace CardGeometry {

namespace {
int pixels(int twips)
{
    return twipsToPixels(twips);
}
} // namespace

Twips place(const QRect &screenPixels, const QRect &availablePixels, int heightTwips)
{
    int bottom = (screenPixels.y() + screenPixels.height()) * TwipsPerPixel - BottomGapTwips;
    int right = (screenPixels.x() + screenPixels.width()) * TwipsPerPixel - RightGapTwips;
    const QRect available = availablePixels.intersected(screenPixels);
    if (!available.isEmpty()) {
        bottom = std::min(bottom, (available.y() + available.height()) * TwipsPerPixel);
        right = std::min(right, (available.x() + available.width()) * TwipsPerPixel);
    }
    Twips t;
    t.height = heightTwips;
    t.top = bottom - heightTwips;
    t.left = right - WidthTwips;
    return t;
}

bool slideUp(Twips &t)
{
    t.height += StepTwips;
    t.top -= StepTwips;
    return t.height >= FullHeightTwips;
}

bool slideDown(Twips &t)
{
    t.height -= StepTwips;
    t.top += StepTwips;
    return t.height <= GoneHeightTwips;
}

QRect toPixels(const Twips &t)
{
    const int bottom = pixels(t.top + t.height);
    const int height = pixels(t.height);
    return QRect(pixels(t.left), bottom - height, pixels(t.width), height);
}

} // namespace CardGeometry
