#include "core/times/TimesScheduler.h"

#include "core/cycle/Clock.h"
#include "core/hold/HoldGate.h"
#include "core/times/TimesSettings.h"

#include <algorithm>
#include <limits>

TimesScheduler::TimesScheduler(TimesSettings &settings, Clock &clock, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_clock(clock)
{
    // A coarse timer may be late by a twentieth of its wait: hours ahead
    // that is many minutes.
    m_wake.setSingleShot(true);
    m_wake.setTimerType(Qt::PreciseTimer);
    connect(&m_wake, &QTimer::timeout, this, &TimesScheduler::check);
}

void TimesScheduler::setGate(HoldGate *gate)
{
    if (m_gate)
        disconnect(m_gate, nullptr, this, nullptr);
    m_gate = gate;
    if (m_gate)
        connect(m_gate, &HoldGate::changed, this, &TimesScheduler::check);
}

void TimesScheduler::setOtherCardUp(std::function<bool()> up)
{
    m_otherCardUp = std::move(up);
}

void TimesScheduler::setPlayable(Playable playable)
{
    m_playable = std::move(playable);
}

void TimesScheduler::start()
{
    if (m_started)
        return;
    m_started = true;
    connect(&m_clock, &Clock::jumped, this, &TimesScheduler::check);
    connect(&m_settings, &TimesSettings::changed, this, &TimesScheduler::entriesChanged);
    check();
}

void TimesScheduler::check()
{
    if (!m_started)
        return;
    const TimesSettings::Values &values = m_settings.values();
    m_known = values.entries;
    const TimesSchedule::Decision decision =
        TimesSchedule::decide(values.entries, m_clock.localNow(), values.graceMinutes);
    // One already waiting is not judged again: a hold may outlast the grace.
    auto queued = [this](int entry) {
        return std::any_of(m_queue.cbegin(), m_queue.cend(),
                           [entry](const TimesSchedule::Hit &h) { return h.entry == entry; });
    };
    QList<TimesSchedule::Hit> skipped;
    for (const TimesSchedule::Hit &hit : decision.skipped) {
        if (!queued(hit.entry))
            skipped.append(hit);
    }
    for (const TimesSchedule::Hit &hit : decision.due) {
        if (!queued(hit.entry))
            m_queue.append(hit);
    }
    markDone(skipped);
    arm(decision.next);
    begin();
}

void TimesScheduler::entriesChanged()
{
    if (m_writing)
        return;
    // The entries were edited: one that waits (in a hold that may outlast
    // the grace) keeps waiting wherever it now stands in the list, unless
    // it was removed, switched off or given another time.
    const QList<TimedReminder> &entries = m_settings.values().entries;
    QList<TimesSchedule::Hit> kept;
    for (TimesSchedule::Hit hit : std::as_const(m_queue)) {
        const TimedReminder &was = m_known.at(hit.entry);
        for (int i = 0; i < entries.size(); ++i) {
            const TimedReminder &now = entries.at(i);
            if (now.enabled && now.name == was.name && now.time == was.time && now.texts == was.texts) {
                hit.entry = i;
                kept.append(hit);
                break;
            }
        }
    }
    m_queue = kept;
    check();
}

void TimesScheduler::markDone(const QList<TimesSchedule::Hit> &hits)
{
    if (hits.isEmpty())
        return;
    TimesSettings::Values values = m_settings.values();
    for (const TimesSchedule::Hit &hit : hits) {
        if (hit.entry < values.entries.size())
            values.entries[hit.entry].lastShown = hit.day;
    }
    m_writing = true;
    m_settings.setValues(values);
    m_writing = false;
    // A file that cannot be written costs a repeat after a restart, not
    // the run: the mark holds in memory.
    m_settings.save();
}

void TimesScheduler::arm(const QDateTime &next)
{
    m_next = next;
    if (!next.isValid()) {
        m_wake.stop();
        return;
    }
    const qint64 wait = m_clock.localNow().msecsTo(next);
    m_wake.start(int(std::clamp<qint64>(wait, 0, std::numeric_limits<int>::max())));
}

void TimesScheduler::begin()
{
    if (m_sequence.running() || m_queue.isEmpty() || (m_otherCardUp && m_otherCardUp()))
        return;
    if (m_gate) {
        m_gate->askDesktop();
        // Asking may have moved the gate, and that may have begun one.
        if (m_sequence.running() || m_gate->holdsSetTime())
            return;
    }
    while (!m_queue.isEmpty()) {
        const TimesSchedule::Hit hit = m_queue.takeFirst();
        const QList<TimedReminder> &entries = m_settings.values().entries;
        if (hit.entry >= entries.size())
            continue;
        const TimedReminder entry = entries.at(hit.entry);
        markDone({hit});
        m_sequence = TimedSequence(m_playable ? m_playable(entry.texts) : entry.texts);
        if (!m_sequence.running())
            continue;
        m_untilClosed = entry.untilClosed;
        Q_EMIT sequenceStarted();
        emitCard();
        return;
    }
}

void TimesScheduler::emitCard()
{
    Q_EMIT showCard(m_sequence.current(), m_sequence.position(), m_sequence.count(), m_untilClosed);
}

void TimesScheduler::cardClosed()
{
    if (!m_sequence.running())
        return;
    if (m_sequence.advance()) {
        emitCard();
        return;
    }
    Q_EMIT sequenceEnded();
    begin();
}

void TimesScheduler::otherCardClosed()
{
    begin();
}
