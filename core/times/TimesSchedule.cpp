#include "core/times/TimesSchedule.h"

#include "core/hold/HoldSettings.h"

#include <algorithm>

namespace TimesSchedule {

namespace {

// How far ahead the next occurrence is looked for: every day of the week
// once, and today's again if its time has passed.
constexpr int LookAheadDays = 7;

bool comes(const TimedReminder &entry)
{
    return entry.enabled && !entry.texts.isEmpty() && (entry.days & HoldSettings::AllDays) != 0;
}

bool onDay(const TimedReminder &entry, QDate day)
{
    return (entry.days & HoldSettings::dayBit(day.dayOfWeek())) != 0;
}

} // namespace

QDateTime occurrence(QDate day, QTime time, const QTimeZone &zone)
{
    // The wall clock's reading as if in UTC, taken back by each offset the
    // zone has that day: a reading that exists comes out of one or both.
    const QDateTime reading(day, time, QTimeZone::utc());
    QDateTime first;
    for (const QDateTime &edge : {day.startOfDay(zone), day.endOfDay(zone)}) {
        const QDateTime at = reading.addSecs(-zone.offsetFromUtc(edge)).toTimeZone(zone);
        if (at.date() == day && at.time() == time && (!first.isValid() || at < first))
            first = at;
    }
    if (first.isValid())
        return first;
    // Inside the hour the clocks skip: the moment they jump.
    const QTimeZone::OffsetData jump = zone.nextTransition(day.startOfDay(zone));
    return jump.atUtc.isValid() ? jump.atUtc.toTimeZone(zone) : reading.toTimeZone(zone);
}

bool done(const TimedReminder &entry, QDate day, QDate today)
{
    if (!entry.lastShown.isValid())
        return false;
    const QDate last = entry.lastShown > today.addDays(1) ? today : entry.lastShown;
    return day <= last;
}

Decision decide(const QList<TimedReminder> &entries, const QDateTime &now, int graceMinutes)
{
    Decision decision;
    const QTimeZone zone = now.timeZone();
    const QDate today = now.date();
    const qint64 graceSecs = qint64(graceMinutes) * 60;
    for (int i = 0; i < entries.size(); ++i) {
        const TimedReminder &entry = entries.at(i);
        if (!comes(entry))
            continue;
        // The latest occurrence up to now that has not been done: today's,
        // or yesterday's when a grace reaches past midnight.
        for (const QDate day : {today, today.addDays(-1)}) {
            if (!onDay(entry, day) || done(entry, day, today))
                continue;
            const QDateTime at = occurrence(day, entry.time, zone);
            if (at > now)
                continue;
            const Hit hit{i, day, at};
            if (at.secsTo(now) <= graceSecs)
                decision.due.append(hit);
            else
                decision.skipped.append(hit);
            break;
        }
        for (int ahead = 0; ahead <= LookAheadDays; ++ahead) {
            const QDate day = today.addDays(ahead);
            if (!onDay(entry, day) || done(entry, day, today))
                continue;
            const QDateTime at = occurrence(day, entry.time, zone);
            if (at <= now)
                continue;
            if (!decision.next.isValid() || at < decision.next)
                decision.next = at;
            break;
        }
    }
    std::stable_sort(decision.due.begin(), decision.due.end(), [](const Hit &a, const Hit &b) { return a.at < b.at; });
    return decision;
}

} // namespace TimesSchedule
