#include "core/cycle/ReminderCycle.h"

#include "core/hold/HoldGate.h"

ReminderCycle::ReminderCycle(Settings &settings, Clock &clock, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_timer(clock, this)
{
    m_timer.setObjectName(QStringLiteral("Timer1"));
    connect(&m_timer, &ExtraTimer::elapsed, this, &ReminderCycle::due);
}

void ReminderCycle::setGate(HoldGate *gate)
{
    if (m_gate)
        disconnect(m_gate, nullptr, this, nullptr);
    m_gate = gate;
    if (m_gate)
        connect(m_gate, &HoldGate::changed, this, &ReminderCycle::gateChanged);
    gateChanged();
}

ReminderCycle::Verdict ReminderCycle::check(double interval, double duration)
{
    if (!Settings::IntervalRange.contains(interval))
        return Verdict::BadInterval;
    if (!Settings::DurationRange.contains(duration))
        return Verdict::BadDuration;
    return Verdict::Valid;
}

Settings::Unit ReminderCycle::unit() const
{
    return m_timer.timeUnit();
}

ReminderCycle::Verdict ReminderCycle::start(const QString &interval, Settings::Unit unit, const QString &duration)
{
    m_timer.setTimeUnit(unit);
    const TypedNumber typedInterval(interval);
    const TypedNumber typedDuration(duration);
    const Verdict verdict = check(typedInterval.value(), typedDuration.value());
    if (verdict != Verdict::Valid)
        return verdict;
    // Kept as typed: "05" is saved as "05", and the timer runs on its count.
    Settings::Values v = m_settings.values();
    v.interval = typedInterval;
    v.unit = unit;
    v.duration = typedDuration;
    m_settings.setValues(v);
    // A record that cannot be written costs the saved settings, not the run.
    m_settings.save();
    return run();
}

ReminderCycle::Verdict ReminderCycle::autoStart()
{
    m_timer.setTimeUnit(m_settings.values().unit);
    return run();
}

ReminderCycle::Verdict ReminderCycle::run()
{
    const Settings::Values &v = m_settings.values();
    // A record is judged on the values it holds, as typed values are: an
    // interval of 0.6 is refused, not run every second.
    const Verdict verdict = check(v.interval.value(), v.duration.value());
    if (verdict != Verdict::Valid)
        return verdict;
    m_timer.setInterval(v.interval.count());
    // The count begins afresh, and a card that waited for it with it.
    m_pending = false;
    // A card with its countdown running holds the count until it goes.
    m_timer.setEnabled(m_card != Card::Holding && !m_resting);
    setRunning(true);
    return verdict;
}

void ReminderCycle::stop()
{
    m_timer.setEnabled(false);
    m_pending = false;
    if (m_card != Card::None) {
        m_card = Card::None;
        Q_EMIT closeCard();
    }
    setRunning(false);
}

void ReminderCycle::setRunning(bool running)
{
    if (m_running == running)
        return;
    m_running = running;
    Q_EMIT runningChanged(running);
}

void ReminderCycle::rest()
{
    m_resting = true;
    m_pending = false;
    m_timer.setEnabled(false);
}

void ReminderCycle::resume()
{
    if (!m_resting)
        return;
    m_resting = false;
    if (m_running && m_card != Card::Holding)
        m_timer.setEnabled(true);
}

void ReminderCycle::remindNow()
{
    if (m_card != Card::None || m_resting)
        return;
    // The user's own "now" is the card that waited, if one did.
    if (m_pending) {
        showDue();
        return;
    }
    openCard();
}

void ReminderCycle::due()
{
    if (m_card == Card::Holding) {
        m_timer.setEnabled(false);
        return;
    }
    if (m_gate)
        m_gate->askDesktop();
    if (m_gate && m_gate->held()) {
        // One card waits; the count rests until it is shown.
        m_pending = true;
        m_timer.setEnabled(false);
        return;
    }
    showDue();
}

// The due card, now or when it has waited: it takes the place of a card
// without a countdown, and the count goes on from this moment.
void ReminderCycle::showDue()
{
    const bool waited = m_pending;
    m_pending = false;
    if (m_card == Card::Waiting) {
        m_card = Card::None;
        Q_EMIT closeCard();
    }
    openCard();
    if (waited && m_card == Card::Waiting && m_running)
        m_timer.setEnabled(true);
}

void ReminderCycle::gateChanged()
{
    if (m_pending && m_running && !(m_gate && m_gate->held()))
        showDue();
}

void ReminderCycle::openCard()
{
    m_card = m_settings.values().duration.count() > 0 ? Card::Holding : Card::Waiting;
    if (m_card == Card::Holding)
        m_timer.setEnabled(false);
    Q_EMIT showCard();
}

void ReminderCycle::cardClosed()
{
    if (m_card == Card::None)
        return;
    const bool held = m_card == Card::Holding;
    m_card = Card::None;
    // The count starts afresh once the card that held it has gone.
    if (held && m_running && !m_resting)
        m_timer.setEnabled(true);
}
