#pragma once

#include <QFont>
#include <QSizeF>
#include <QString>

// The reminder text is read whole or not at all: a text that would not fit
// its area at the chosen size is set smaller, half a point at a time, down
// to a floor below which it would no longer be comfortable to read.
namespace TextFit {

inline constexpr double StepPoints = 0.5;
inline constexpr double FloorPoints = 9.0;

// Height in pixels of text wrapped between words at width, as the card's
// label lays it out, and whether no word sticks out sideways.
QSizeF laidOutSize(const QFont &font, const QString &text, qreal width);

// Whether text fits area whole in font, as the card's label sets it.
bool fits(const QFont &font, const QString &text, const QSizeF &area);

// The largest size from font's own down to the floor, in steps, at which
// text fits area; font's own size when it fits as it is.
double fittedPointSize(const QFont &font, const QString &text, const QSizeF &area);

} // namespace TextFit
