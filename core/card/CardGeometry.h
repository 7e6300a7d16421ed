#pragma once

#include <QRect>

// The reminder card is laid out in twips (15 to a pixel at 96 dpi): it is
// 3555 wide, sits 100 from the right of the screen and 500 above its bottom,
// and slides by 100 per tick with its bottom edge fixed.
namespace CardGeometry {

inline constexpr int TwipsPerPixel = 15;
inline constexpr int WidthTwips = 3555;
inline constexpr int RightGapTwips = 100;
inline constexpr int BottomGapTwips = 500;
inline constexpr int StepTwips = 100;
inline constexpr int FullHeightTwips = 2710; // the slide up stops at or past this
inline constexpr int GoneHeightTwips = 80;   // the slide down ends at or below this

struct Twips
{
    int left = 0;
    int top = 0;
    int width = WidthTwips;
    int height = 0;
};

// Placement for a given height on a screen (its geometry in pixels, origin
// included): right edge 100 from the screen's right, bottom 500 above its
// bottom. Where the full-height card would leave the available area (a
// panel taller than the gap, or one at the right), it moves up and left just
// enough to lie inside it.
Twips place(const QRect &screenPixels, const QRect &availablePixels, int heightTwips);

// One tick of the slide up or down: a step taller or shorter, the bottom
// edge where it was. True once that slide has ended.
bool slideUp(Twips &t);
bool slideDown(Twips &t);

// The window's rectangle in pixels. The bottom edge is rounded once, from
// top + height, so it does not wobble while the height changes.
QRect toPixels(const Twips &t);

} // namespace CardGeometry
