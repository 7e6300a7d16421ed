#pragma once

#include <QObject>

class Platform;
class SoundSettings;
struct CardContent;

// The sound a card comes with as it slides up, as the sound settings say.
// It hears only the cards that are shown: a card that waits in a hold
// sounds when it comes, not when it fell due. With sound off nothing is
// loaded, and with the choice to avoid a clash a sound is dropped while
// another program plays audio. A timed reminder's sequence sounds once, as
// its first card comes: one chime calls the user, the rest follow.
class CardSound : public QObject
{
    Q_OBJECT
public:
    CardSound(SoundSettings &settings, Platform &platform, QObject *parent = nullptr);

    // A card has just been handed to the screen.
    void cardShown(const CardContent &card);

private:
    SoundSettings &m_settings;
    Platform &m_platform;
};
