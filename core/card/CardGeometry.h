#pragma once

#include <QRect>

// The reminder card is laid out in twips (15 to a pixel at 96 dpi): at its
// normal size it is 3555 wide, sits 100 from the side of the screen and 500
// from its bottom (or top), and slides by 100 per tick with the edge nearest
// the screen's edge fixed. Other sizes scale the card and its step.
namespace CardGeometry {

inline constexpr int TwipsPerPixel = 15;
inline constexpr int WidthTwips = 3555;
inline constexpr int RightGapTwips = 100;  // from the screen's side, left or right
inline constexpr int BottomGapTwips = 500; // from the screen's bottom, or its top
inline constexpr int StepTwips = 100;
inline constexpr int FullHeightTwips = 2710; // the slide up stops at or past this
inline constexpr int GoneHeightTwips = 80;   // the slide down ends at or below this

// The corner of the monitor's work area the card slides out of.
enum class Corner {
    BottomRight,
    BottomLeft,
    TopRight,
    TopLeft
};

// The card's size as the user chooses it.
enum class Size {
    Small,
    Normal,
    Large,
    Larger
};

// A size as a percentage of the normal card.
int percent(Size size);
// The height the slide up ends on at percent: as many steps as the
// normal card takes, each scaled.
int fullHeight(int percent);

// The largest percentage up to percent at which the whole card fits in
// availablePixels, for a monitor too small for the size chosen. An empty
// area leaves percent as it is.
int fittingPercent(const QRect &availablePixels, int percent);

struct Twips
{
    int left = 0;
    int top = 0;
    int width = WidthTwips;
    int height = 0;
    // The slide's step, scaled with the card.
    int step = StepTwips;
    // A card in a top corner grows down from its top edge; one in a bottom
    // corner grows up from its bottom edge.
    bool topFixed = false;
};

// Placement for a given height on a screen (its geometry in pixels, origin
// included), in corner, at percent: its side 100 from the screen's side,
// its bottom (or top) 500 from the screen's bottom (or top). Where the
// full-height card would leave the available area (a panel wider than the
// gap), it moves just enough to lie inside it.
Twips place(const QRect &screenPixels, const QRect &availablePixels, int heightTwips,
            Corner corner = Corner::BottomRight, int percent = 100);

// One tick of the slide up or down: a step taller or shorter, the fixed
// edge where it was. True once that slide has ended.
bool slideUp(Twips &t);
bool slideDown(Twips &t);

// The window's rectangle in pixels. The moving edge is rounded once, from
// the fixed edge and the height, so the fixed one does not wobble while
// the height changes.
QRect toPixels(const Twips &t);

} // namespace CardGeometry
