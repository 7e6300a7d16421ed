#pragma once

#include "core/card/CardGeometry.h"

#include <QPointer>
#include <QScreen>
#include <QString>
#include <optional>

// Everything one reminder card shows, decided before the card is built:
// the card only draws it.
struct CardContent
{
    // The text, empty when none can be shown; the catalogue entry it is,
    // -1 for a text of the user's or none.
    QString text;
    int textIndex = -1;
    // The background picture's number, none for the plain one.
    std::optional<int> picture;
    // The text's font family; empty for the card's own face.
    QString fontName;
    // Seconds the card stays up; 0: until its X.
    int displaySeconds = 0;
    // A card of a timed reminder's sequence: its place from 1 and the
    // sequence's length; 0 for a card that is no sequence's.
    int sequencePosition = 0;
    int sequenceCount = 0;
    // The monitor whose corner the card slides out of; the primary one's
    // when none is given, or once this one is gone.
    QPointer<QScreen> screen;
    // Which corner of that monitor's work area, and how large.
    CardGeometry::Corner corner = CardGeometry::Corner::BottomRight;
    CardGeometry::Size size = CardGeometry::Size::Normal;
};
