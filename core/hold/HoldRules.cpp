#include "core/hold/HoldRules.h"

namespace {

constexpr int kDaySecs = 24 * 3600;

// The same wall-clock time zone as now, at another date and time. A time
// that a daylight saving change skips is taken at the end of the skip.
QDateTime at(const QDateTime &now, QDate date, QTime time)
{
    QDateTime t = now;
    t.setDate(date);
    t.setTime(time);
    for (int hour = 1; !t.isValid() && hour <= 3; ++hour) {
        t = now;
        t.setDate(date);
        t.setTime(time.addSecs(hour * 3600));
    }
    return t;
}

// Seconds an active-hours window lasts: from its start to the next end.
int windowSecs(const HoldSettings::Values &s)
{
    const int length = s.hoursStart.secsTo(s.hoursEnd);
    return length > 0 ? length : length + kDaySecs;
}

bool chosen(const HoldSettings::Values &s, QDate day)
{
    return s.days & HoldSettings::dayBit(day.dayOfWeek());
}

// The first window start at or after from, invalid when no day is chosen.
QDateTime nextWindowStart(const HoldSettings::Values &s, const QDateTime &from)
{
    for (int i = 0; i <= 7; ++i) {
        const QDate day = from.date().addDays(i);
        if (!chosen(s, day))
            continue;
        const QDateTime start = at(from, day, s.hoursStart);
        if (start >= from)
            return start;
    }
    return {};
}

} // namespace

QDateTime effectivePauseEnd(const QDateTime &pausedUntil, const QDateTime &now)
{
    if (!pausedUntil.isValid() || pausedUntil <= now || now.secsTo(pausedUntil) > MaxPauseAheadSecs)
        return {};
    return pausedUntil;
}

QDateTime pauseEnd(const PauseLength &length, const QDateTime &now)
{
    if (length.untilTomorrow)
        return at(now, now.date().addDays(1), QTime(0, 0));
    return now.addSecs(qint64(length.minutes) * 60);
}

bool insideActiveHours(const HoldSettings::Values &s, const QDateTime &now)
{
    // Only the window opened today or yesterday can reach now.
    for (int back = 0; back <= 1; ++back) {
        const QDate day = now.date().addDays(-back);
        if (!chosen(s, day))
            continue;
        const QDateTime start = at(now, day, s.hoursStart);
        if (start <= now && start.secsTo(now) < windowSecs(s))
            return true;
    }
    return false;
}

HoldReason holdReason(const HoldSettings::Values &s, const DesktopState &desktop, const QDateTime &now)
{
    if (desktop.screenLocked)
        return HoldReason::ScreenLocked;
    if (effectivePauseEnd(s.pausedUntil, now).isValid())
        return HoldReason::Paused;
    if (s.activeHours && !insideActiveHours(s, now))
        return HoldReason::OutsideActiveHours;
    if (s.doNotDisturb && desktop.doNotDisturb)
        return HoldReason::DoNotDisturb;
    if (s.fullScreen && desktop.fullScreen)
        return HoldReason::FullScreen;
    if (s.away && desktop.idleMs >= qint64(s.awayMinutes) * 60 * 1000)
        return HoldReason::Away;
    return HoldReason::None;
}

QDateTime timeHoldEnd(const HoldSettings::Values &s, const QDateTime &now)
{
    QDateTime end = now;
    const QDateTime pause = effectivePauseEnd(s.pausedUntil, now);
    if (pause.isValid())
        end = pause;
    if (s.activeHours && !insideActiveHours(s, end))
        end = nextWindowStart(s, end);
    return end == now ? QDateTime() : end;
}

QString pauseNotice(const QDateTime &end, const QDateTime &now)
{
    const QString until = QStringLiteral("متوقف مؤقتاً حتى ");
    if (end.date() == now.date())
        return until + end.time().toString(QStringLiteral("HH:mm"));
    if (end.time() == QTime(0, 0) && end.date() == now.date().addDays(1))
        return until + QStringLiteral("الغد");
    return until + QStringLiteral("الغد ") + end.time().toString(QStringLiteral("HH:mm"));
}
