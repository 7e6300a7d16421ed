#pragma once

#include <QFont>
#include <QRect>
#include <QString>

// The card's text as the card sets it, for the card itself and for every
// place that must know beforehand whether a text can be shown: the texts
// window as the user types, and the import.
namespace CardText {

// Where the text goes on the card, in the card's pixels, on a card at
// percent of the normal size.
QRect area(int percent = 100);

// The card's text font in the family the settings name (the card's own
// face when none is named), at the card's full size, scaled with the card.
QFont font(const QString &family, int percent = 100);

// The size the card sets text at in that family: full size, or smaller
// for a long text, never below TextFit's floor.
double pointSize(const QString &text, const QString &family, int percent = 100);

// The card's size for text: percent, or the smallest size above it up to
// the normal one at which text fits whole without going below TextFit's
// floor. A smaller card never sets a text smaller than the normal one may.
int fittingPercent(const QString &text, const QString &family, int percent);

enum class Verdict {
    Fits,
    Blank,  // nothing but spaces
    TooLong // would not fit the card whole even at the floor size
};

// Whether the card can show text whole in that family. The one rule for
// a text of the user's: a text refused here is never cut on a card.
Verdict check(const QString &text, const QString &family);

// What the user is told about a refused text (empty for one that fits).
QString message(Verdict verdict);

} // namespace CardText
