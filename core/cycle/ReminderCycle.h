#pragma once

#include "core/cycle/ExtraTimer.h"
#include "core/settings/Settings.h"

#include <QObject>
#include <QPointer>

class Clock;
class HoldGate;

// The reminder cycle: the interval timer, starting and stopping it, and
// the one card that may be up at a time. A card with a countdown holds the
// cycle until it has gone; a card without one (a first run's, before a
// duration was chosen) does not: when the next reminder is due it takes
// that card's place. The windows show the cards the cycle asks for and
// report when one has closed.
//
// A card that falls due while the hold gate holds (full screen, do not
// disturb, a locked screen, a pause, outside the active hours) waits: the
// count stops, so however long the hold lasts one card waits, and it is
// shown the moment the gate lets it through; the count starts afresh from
// then, as after any card. A reminder the user asks for now is not held.
class ReminderCycle : public QObject
{
    Q_OBJECT
public:
    enum class Verdict {
        Valid,
        BadInterval,
        BadDuration
    };

    ReminderCycle(Settings &settings, Clock &clock, QObject *parent = nullptr);

    // The gate asked before a due card is shown; none: never held.
    void setGate(HoldGate *gate);

    // The interval is checked before the duration, each against its range.
    static Verdict check(double interval, double duration);

    // Starts (or restarts) with the values the user typed: when they are
    // valid they become the settings, as typed, which are saved, and the
    // count begins afresh.
    Verdict start(const QString &interval, Settings::Unit unit, const QString &duration);
    // Starts with the settings as they are, without saving them; their
    // values are checked as typed ones are.
    Verdict autoStart();
    void stop();
    bool running() const { return m_running; }

    // A reminder now, unless a card is already up (the run's first one).
    void remindNow();
    // The card that was up has gone, by itself or by the user.
    void cardClosed();
    bool cardUp() const { return m_card != Card::None; }
    // A card fell due while held and waits for the gate.
    bool cardPending() const { return m_pending; }

    // Reminders at set times have the screen: no card of the interval's
    // comes and one that waited is dropped; on resume the count starts
    // afresh, as after any card.
    void rest();
    void resume();
    bool resting() const { return m_resting; }

    // Whether the interval is being counted (not while a card holds it).
    bool counting() const { return m_timer.enabled(); }
    // Milliseconds to the next reminder, -1 while none is counted.
    qint64 remainingMs() const { return m_timer.remainingMs(); }
    qint64 interval() const { return m_timer.interval(); }
    Settings::Unit unit() const;

Q_SIGNALS:
    void runningChanged(bool running);
    // Show a fresh card with the current settings.
    void showCard();
    // Take the card that is up away at once.
    void closeCard();

private:
    enum class Card {
        None,
        Holding,
        Waiting
    };

    Verdict run();
    void due();
    void showDue();
    void gateChanged();
    void openCard();
    void setRunning(bool running);

    Settings &m_settings;
    ExtraTimer m_timer;
    QPointer<HoldGate> m_gate;
    bool m_running = false;
    bool m_pending = false;
    bool m_resting = false;
    Card m_card = Card::None;
};
