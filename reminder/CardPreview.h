#pragma once

#include "reminder/CardContent.h"

#include <QIcon>
#include <QObject>
#include <QPointer>

class Clock;
class Platform;
class ReminderCard;

// The card shown for a few seconds where and as large as the user just
// chose, while the hold window is open. One at a time: a new choice
// replaces the card still up. It is no reminder: the cycle, the round
// through the texts and the one-card rule know nothing of it, and it goes
// with this object.
class CardPreview : public QObject
{
    Q_OBJECT
public:
    static constexpr int Seconds = 3;

    CardPreview(Clock &clock, Platform &platform, const QIcon &icon, QObject *parent = nullptr);
    ~CardPreview() override;

    // Shows content for Seconds, whatever duration it names.
    void show(CardContent content);
    ReminderCard *card() const { return m_card; }

private:
    void dismiss();

    Clock &m_clock;
    Platform &m_platform;
    QIcon m_icon;
    QPointer<ReminderCard> m_card;
};
