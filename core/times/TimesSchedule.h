#pragma once

#include "core/times/TimedReminder.h"

#include <QDateTime>
#include <QList>
#include <QTimeZone>

// When the reminders at set times come, as plain functions of the entries
// and the wall clock. Everything is judged in now's time zone, by the local
// day: an entry comes at most once a day (its lastShown), on its days, and
// the active hours have no say over a time the user set.
//
// No record of when the program last ran is needed: an occurrence that
// passed without the entry coming (the machine off or asleep, the clock put
// forward) still counts as missed until lastShown says otherwise, and comes
// while it is at most the grace old; past that it is skipped for its day.
// A clock put back finds the day already marked and repeats nothing.
namespace TimesSchedule {

// The moment entry time on day falls in zone. A time the clocks skip (the
// spring's missing hour) comes at the first moment after the skip; a time
// they pass twice (the autumn's hour) at the first of the two.
QDateTime occurrence(QDate day, QTime time, const QTimeZone &zone);

// Whether day counts as done for entry: it came, or was skipped, on day or
// later. A lastShown more than a day ahead of today can only come from a
// clock that was far wrong: it marks today alone, so that correcting the
// clock silences the entry for a day at most.
bool done(const TimedReminder &entry, QDate day, QDate today);

struct Hit
{
    int entry = -1; // index into the entries
    QDate day;      // the local day whose occurrence this is: lastShown's next value
    QDateTime at;   // the occurrence
    bool operator==(const Hit &) const = default;
};

struct Decision
{
    QList<Hit> due;     // to come now, earliest first
    QList<Hit> skipped; // missed by more than the grace: mark their day done
    QDateTime next;     // when the next one falls due; invalid: none will
};

// Entries that are off, have no texts or no days never come.
Decision decide(const QList<TimedReminder> &entries, const QDateTime &now, int graceMinutes);

} // namespace TimesSchedule
