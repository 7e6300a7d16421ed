#pragma once

#include "core/cycle/ReminderCycle.h"
#include "core/hold/HoldSettings.h"
#include "core/settings/Settings.h"
#include "platform/InstanceLock.h"
#include "reminder/CardContent.h"

#include <QObject>
#include <QString>

class CardSound;
class Clock;
class HoldGate;
class HoldSettings;
class HoldWatch;
class InstanceChannel;
class Platform;
class QScreen;
class ReminderTexts;
class TimesScheduler;
class TimesSettings;
struct TextKey;
class SoundSettings;

// The program without its windows: it owns the models, the lock and the
// channel between copies, runs the start-up, and decides each card (its
// text, its monitor, what it shows), which a window then draws. It creates
// and touches no widget.
class Program : public QObject
{
    Q_OBJECT
public:
    // What the start-up has to tell the user, in the order it happens.
    enum class Notice {
        SecondCopy,        // another copy runs: it was asked to come forward
        NoLock,            // no lock could be made at all
        NoChannel,         // the channel between copies could not be opened
        OlderFolderCopied, // olderFolder() came over into the data folder
        HoldProblem,       // hold.ini could not be read as it was
        TextsProblem,      // texts.ini could not be read as it was
        TimesProblem,      // times.ini could not be read as it was
        SoundProblem       // sound.ini could not be read as it was
    };
    Q_ENUM(Notice)

    Program(Platform &platform, Clock &clock, QObject *parent = nullptr);
    ~Program() override;

    // The start-up: lock, channel, data folder, an older folder's files,
    // leftovers of a save cut short, the three stores, the desktop's
    // watches. Says notice() for each thing to tell, as it happens. False
    // when another copy already runs or no lock could be made at all, in
    // which case nothing was created or read.
    bool load();

    QString dataFolder() const { return m_dataFolder; }
    QString settingsPath() const;
    // The older folder the start-up copied from (OlderFolderCopied).
    QString olderFolder() const { return m_olderFolder; }
    // Nothing set yet: a first run, which shows the window without a word.
    bool firstRun() const;

    Settings &settings() const { return *m_settings; }
    ReminderCycle &cycle() const { return *m_cycle; }
    HoldSettings &hold() const { return *m_hold; }
    HoldGate &holdGate() const { return *m_gate; }
    ReminderTexts &texts() const { return *m_texts; }
    TimesSettings &times() const { return *m_times; }
    TimesScheduler &timesScheduler() const { return *m_timesScheduler; }
    SoundSettings &sound() const { return *m_sound; }

    // The monitor the next card goes to, as the user chose it, or as
    // monitor says.
    QScreen *cardScreen() const;
    QScreen *cardScreen(HoldSettings::Monitor monitor) const;
    // The next card: its text taken (and the round through the texts
    // saved) now, its monitor chosen now.
    CardContent nextCard();
    // A card of a timed reminder's sequence: text, its place in it, and no
    // countdown when the entry keeps each card until it is closed.
    CardContent timedCard(const TextKey &text, int position, int count, bool untilClosed);
    // A card as hold would show it, with the first built-in text: for the
    // hold window's preview, which touches neither the cycle nor the round
    // through the texts.
    CardContent previewCard(const HoldSettings::Values &hold) const;

    // What the user asked for.
    ReminderCycle::Verdict start(const QString &interval, Settings::Unit unit, const QString &duration);
    ReminderCycle::Verdict autoStart();
    void stop();
    void remindNow();
    // The card on screen went, by itself or by its X.
    void cardClosed();

Q_SIGNALS:
    void notice(Program::Notice notice);
    // Another copy, started by the user, asks this one to come forward.
    void raiseRequested();
    // A card is due: the window draws content, replacing any card still up.
    void showCard(const CardContent &content);
    void closeCard();
    // A pause or resume from the command line holds but could not be saved.
    void holdNotSaved();

private:
    void removeLeftovers();
    // What every card shares: the picture, the face, the monitor, corner
    // and size hold chooses.
    CardContent cardFace(const HoldSettings::Values &hold) const;
    bool savedOrTold(bool saved);

    Platform &m_platform;
    Clock &m_clock;
    QString m_dataFolder;
    QString m_olderFolder;
    InstanceLock m_instanceLock;
    InstanceChannel *m_channel = nullptr;
    Settings *m_settings = nullptr;
    ReminderCycle *m_cycle = nullptr;
    HoldSettings *m_hold = nullptr;
    HoldGate *m_gate = nullptr;
    ReminderTexts *m_texts = nullptr;
    TimesSettings *m_times = nullptr;
    TimesScheduler *m_timesScheduler = nullptr;
    HoldWatch *m_holdWatch = nullptr;
    SoundSettings *m_sound = nullptr;
    CardSound *m_cardSound = nullptr;
};
