#pragma once

#include "core/times/TimedSequence.h"
#include "core/times/TimesSchedule.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

class Clock;
class HoldGate;
class TimesSettings;

// Brings the reminders at set times when they fall due: one single-shot
// timer waits for the next one, and the wall clock is looked at again
// whenever it fires, the clock is said to have jumped, the machine wakes
// (check), the hold gate moves or the entries change, so that a wake, a
// clock set either way and a daylight saving change are all judged by
// TimesSchedule.
//
// A due entry waits while the gate holds (but not for the active hours: the
// user set this time) and while another card is up, then its texts come as
// a sequence, one card at a time, each moving on when the card goes.
// Entries due together come one after another. An entry is marked done
// for its day when its sequence begins, and when it is skipped.
class TimesScheduler : public QObject
{
    Q_OBJECT
public:
    using Playable = std::function<QList<TextKey>(const QList<TextKey> &)>;

    TimesScheduler(TimesSettings &settings, Clock &clock, QObject *parent = nullptr);

    void setGate(HoldGate *gate);
    // Whether a card of the interval's is up, which a sequence waits for.
    void setOtherCardUp(std::function<bool()> up);
    // An entry's texts as they can still be shown.
    void setPlayable(Playable playable);

    // Starts looking at the entries (after they and the texts are loaded).
    void start();
    // Looks at the wall clock now: the timer counts only the time awake,
    // so after a sleep it would come late by the length of the sleep.
    void check();
    // The card of the sequence went: the next one comes, or it has ended.
    void cardClosed();
    // Another card went: a sequence that waited for it may begin.
    void otherCardClosed();

    bool running() const { return m_sequence.running(); }
    // Entries due and waiting for the gate or another card.
    int waiting() const { return int(m_queue.size()); }
    // When the timer next wakes; invalid while none will.
    QDateTime nextDue() const { return m_next; }

Q_SIGNALS:
    void sequenceStarted();
    // A card of the sequence: position from 1 of count; untilClosed: no countdown.
    void showCard(const TextKey &text, int position, int count, bool untilClosed);
    void sequenceEnded();

private:
    void begin();
    void entriesChanged();
    void markDone(const QList<TimesSchedule::Hit> &hits);
    void arm(const QDateTime &next);
    void emitCard();

    TimesSettings &m_settings;
    Clock &m_clock;
    QPointer<HoldGate> m_gate;
    std::function<bool()> m_otherCardUp;
    Playable m_playable;
    QTimer m_wake;
    QDateTime m_next;
    QList<TimesSchedule::Hit> m_queue;
    QList<TimedReminder> m_known; // the entries as the queue's places name them
    TimedSequence m_sequence;
    bool m_untilClosed = false;
    bool m_started = false;
    bool m_writing = false;
};
