#pragma once

#include <QColor>
#include <QPalette>
#include <QtGlobal>

// Colours as the windows store them: 0x00BBGGRR for a plain colour (red in
// the low byte), or 0x80000000 + index for a colour of the desktop theme.
using OleColor = quint32;

namespace OleColors {
inline constexpr OleColor ButtonFace = 0x8000000F;
inline constexpr OleColor ButtonShadow = 0x80000010;
inline constexpr OleColor ButtonText = 0x80000012;
inline constexpr OleColor ButtonHighlight = 0x80000014;
inline constexpr OleColor Black = 0x000000;
inline constexpr OleColor Red = 0x0000FF;
inline constexpr OleColor Green = 0x00FF00;
inline constexpr OleColor Blue = 0xFF0000;
} // namespace OleColors

struct PaletteSlot
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The one mapping from a theme colour index (the low 24 bits of a system
// colour value) to the palette entry that plays the same part here.
// Unknown indexes yield false.
bool paletteSlotForSystemIndex(quint32 index, PaletteSlot *slot);

// Plain 0x00BBGGRR value of a colour; theme colours are looked up in palette.
// An unknown theme index resolves to black.
quint32 resolveColor(OleColor color, const QPalette &palette);

struct Channels
{
    int red;
    int green;
    int blue;
};
Channels splitColor(quint32 rgb);

// Subtracts amount from each channel, clamped to 0..255. Positive darkens.
quint32 shadeColor(quint32 rgb, qint16 amount);

QColor toQColor(quint32 rgb);
quint32 fromQColor(const QColor &color);
