#include "controls/OleColor.h"

#include <algorithm>
#include <array>

namespace {

struct SystemEntry
{
    bool known;
    PaletteSlot slot;
};

constexpr SystemEntry entry(QPalette::ColorRole role, QPalette::ColorGroup group = QPalette::Active)
{
    return {true, {group, role}};
}

// Indexed by the desktop theme's colour numbers (scroll bar = 0 ... menu bar = 30).
constexpr std::array<SystemEntry, 31> kSystemColours = {{
    entry(QPalette::Button),                              // 0 scroll bar
    entry(QPalette::Dark),                                // 1 desktop
    entry(QPalette::Highlight),                           // 2 active caption
    entry(QPalette::Highlight, QPalette::Inactive),       // 3 inactive caption
    entry(QPalette::Window),                              // 4 menu
    entry(QPalette::Base),                                // 5 window
    entry(QPalette::Shadow),                              // 6 window frame
    entry(QPalette::WindowText),                          // 7 menu text
    entry(QPalette::Text),                                // 8 window text
    entry(QPalette::HighlightedText),                     // 9 caption text
    entry(QPalette::Button),                              // 10 active border
    entry(QPalette::Button, QPalette::Inactive),          // 11 inactive border
    entry(QPalette::Dark),                                // 12 application workspace
    entry(QPalette::Highlight),                           // 13 highlight
    entry(QPalette::HighlightedText),                     // 14 highlighted text
    entry(QPalette::Button),                              // 15 button face
    entry(QPalette::Dark),                                // 16 button shadow
    entry(QPalette::Text, QPalette::Disabled),            // 17 grey text
    entry(QPalette::ButtonText),                          // 18 button text
    entry(QPalette::HighlightedText, QPalette::Inactive), // 19 inactive caption text
    entry(QPalette::Light),                               // 20 button highlight
    entry(QPalette::Shadow),                              // 21 3-D dark shadow
    entry(QPalette::Midlight),                            // 22 3-D light
    entry(QPalette::ToolTipText),                         // 23 tooltip text
    entry(QPalette::ToolTipBase),                         // 24 tooltip background
    {false, {QPalette::Active, QPalette::NoRole}},        // 25 unused
    entry(QPalette::Link),                                // 26 hot-tracked item
    entry(QPalette::Highlight),                           // 27 active caption gradient
    entry(QPalette::Highlight, QPalette::Inactive),       // 28 inactive caption gradient
    entry(QPalette::Highlight),                           // 29 menu highlight
    entry(QPalette::Window),                              // 30 menu bar
}};

} // namespace

bool paletteSlotForSystemIndex(quint32 index, PaletteSlot *slot)
{
    if (index >= kSystemColours.size() || !kSystemColours[index].known)
        return false;
    if (slot)
        *slot = kSystemColours[index].slot;
    return true;
}

quint32 resolveColor(OleColor color, const QPalette &palette)
{
    if (color <= 0xFFFFFF)
        return color;
    PaletteSlot slot{};
    if (!paletteSlotForSystemIndex(color & 0xFFFFFF, &slot))
        return 0;
    return fromQColor(palette.color(slot.group, slot.role));
}

Channels splitColor(quint32 rgb)
{
    return {int(rgb % 256), int((rgb / 256) % 256), int(rgb / 65536)};
}

quint32 shadeColor(quint32 rgb, qint16 amount)
{
    const Channels c = splitColor(rgb);
    auto shade = [amount](int channel) { return quint32(std::clamp(channel - amount, 0, 255)); };
    return shade(c.red) + 256 * shade(c.green) + 65536 * shade(c.blue);
}

QColor toQColor(quint32 rgb)
{
    const Channels c = splitColor(rgb & 0xFFFFFF);
    return QColor(c.red, c.green, c.blue);
}

quint32 fromQColor(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return quint32(rgb.red()) + 256u * quint32(rgb.green()) + 65536u * quint32(rgb.blue());
}
