#include "reminder/CardGeometry.h"

#include "controls/Twips.h"

namespace CardGeometry {

namespace {
int pixels(int twips)
{
    return twipsToPixels(twips);
}
} // namespace

Twips place(const QSize &screenPixels, int heightTwips)
{
    Twips t;
    t.height = heightTwips;
    t.top = screenPixels.height() * TwipsPerPixel - heightTwips - BottomGapTwips;
    t.left = screenPixels.width() * TwipsPerPixel - WidthTwips - RightGapTwips;
    return t;
}

QRect toPixels(const Twips &t)
{
    const int bottom = pixels(t.top + t.height);
    const int height = pixels(t.height);
    return QRect(pixels(t.left), bottom - height, pixels(t.width), height);
}

} // namespace CardGeometry
