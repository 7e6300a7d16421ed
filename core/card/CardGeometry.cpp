#include "core/card/CardGeometry.h"

#include "core/card/Twips.h"

#include <algorithm>

namespace CardGeometry {

namespace {

int pixels(int twips)
{
    return twipsToPixels(twips);
}

// The steps the slide up takes at any size.
constexpr int SlideSteps = (FullHeightTwips + StepTwips - 1) / StepTwips;

// Below this a card is no longer readable: a monitor smaller still gets a
// card that does not fit rather than a stamp.
constexpr int SmallestPercent = 50;

// start moved just enough for [start, start + length) to lie in [low, high);
// the low edge kept when it cannot.
int keepInside(int start, int length, int low, int high)
{
    start = std::min(start, high - length);
    return std::max(start, low);
}

} // namespace

int percent(Size size)
{
    switch (size) {
    case Size::Small: return 80;
    case Size::Normal: break;
    case Size::Large: return 125;
    case Size::Larger: return 150;
    }
    return 100;
}

int fullHeight(int percent)
{
    return SlideSteps * scaledTwips(StepTwips, percent);
}

int fittingPercent(const QRect &availablePixels, int percent)
{
    if (availablePixels.isEmpty())
        return percent;
    const int width = availablePixels.width() * TwipsPerPixel;
    const int height = availablePixels.height() * TwipsPerPixel;
    int p = percent;
    while (p > SmallestPercent && (scaledTwips(WidthTwips, p) > width || fullHeight(p) > height))
        --p;
    return p;
}

Twips place(const QRect &screenPixels, const QRect &availablePixels, int heightTwips, Corner corner, int percent)
{
    const bool right = corner == Corner::BottomRight || corner == Corner::TopRight;
    const bool top = corner == Corner::TopRight || corner == Corner::TopLeft;
    Twips t;
    t.width = scaledTwips(WidthTwips, percent);
    t.step = scaledTwips(StepTwips, percent);
    t.height = heightTwips;
    t.topFixed = top;
    const int full = fullHeight(percent);

    const int screenLeft = screenPixels.x() * TwipsPerPixel;
    const int screenTop = screenPixels.y() * TwipsPerPixel;
    const int screenRight = (screenPixels.x() + screenPixels.width()) * TwipsPerPixel;
    const int screenBottom = (screenPixels.y() + screenPixels.height()) * TwipsPerPixel;
    t.left = right ? screenRight - RightGapTwips - t.width : screenLeft + RightGapTwips;
    // Where the card stands once it is up.
    int fullTop = top ? screenTop + BottomGapTwips : screenBottom - BottomGapTwips - full;

    const QRect available = availablePixels.intersected(screenPixels);
    if (!available.isEmpty()) {
        const int left = available.x() * TwipsPerPixel;
        const int above = available.y() * TwipsPerPixel;
        t.left = keepInside(t.left, t.width, left, left + available.width() * TwipsPerPixel);
        fullTop = keepInside(fullTop, full, above, above + available.height() * TwipsPerPixel);
    }
    t.top = top ? fullTop : fullTop + full - heightTwips;
    return t;
}

bool slideUp(Twips &t)
{
    t.height += t.step;
    if (!t.topFixed)
        t.top -= t.step;
    return t.height * StepTwips >= FullHeightTwips * t.step;
}

bool slideDown(Twips &t)
{
    t.height -= t.step;
    if (!t.topFixed)
        t.top += t.step;
    return t.height * StepTwips <= GoneHeightTwips * t.step;
}

QRect toPixels(const Twips &t)
{
    const int height = pixels(t.height);
    if (t.topFixed)
        return QRect(pixels(t.left), pixels(t.top), pixels(t.width), height);
    const int bottom = pixels(t.top + t.height);
    return QRect(pixels(t.left), bottom - height, pixels(t.width), height);
}

} // namespace CardGeometry
