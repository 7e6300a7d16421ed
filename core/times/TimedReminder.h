#pragma once

#include "core/texts/TextRound.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

// One reminder at a set time of day: its texts come one card after another
// at that time on the chosen days.
struct TimedReminder
{
    QString name;
    QTime time{6, 0};     // local time of day, whole minutes
    int days = 0x7f;      // Monday bit 0 .. Sunday bit 6 (HoldSettings::dayBit)
    QList<TextKey> texts; // in the order they come (core/texts/TextRound.h)
    bool enabled = false;
    bool untilClosed = false; // each card stays until the user closes it
    QDate lastShown;          // the local day it last came (or was skipped): at most once a day
    bool operator==(const TimedReminder &) const = default;
};
