#pragma once

#include "controls/OleColor.h"

#include <optional>

// What a background number does to the reminder card: which of the six
// pictures it shows, the text colour that stays legible on it, and whether
// the light frame around the text is drawn.
struct BackgroundLook
{
    int picture = 0;                   // 1..6, 0: keep the card's own picture
    std::optional<OleColor> textColor; // none: keep white
    bool frame = false;
};

BackgroundLook backgroundLook(int number);
