#include "app/Program.h"

#include "app/CardSound.h"
#include "app/HoldWatch.h"
#include "core/hold/HoldGate.h"
#include "core/hold/HoldSettings.h"
#include "core/settings/SaveLeftovers.h"
#include "core/sound/SoundSettings.h"
#include "core/system/DataFiles.h"
#include "core/system/OlderDataFolder.h"
#include "core/texts/Catalogue.h"
#include "core/texts/ReminderTexts.h"
#include "core/times/TimesScheduler.h"
#include "core/times/TimesSettings.h"
#include "platform/InstanceChannel.h"
#include "platform/Platform.h"
#include "reminder/CardText.h"
#include "reminder/RunAtLogon.h"

#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

Program::Program(Platform &platform, Clock &clock, QObject *parent)
    : QObject(parent)
    , m_platform(platform)
    , m_clock(clock)
    , m_dataFolder(platform.dataFolder())
    , m_instanceLock(m_dataFolder)
{
    m_channel = new InstanceChannel(m_dataFolder, this);
    connect(m_channel, &InstanceChannel::raiseRequested, this, &Program::raiseRequested);
    m_settings = new Settings(settingsPath(), this);
    m_cycle = new ReminderCycle(*m_settings, m_clock, this);
    connect(m_cycle, &ReminderCycle::showCard, this, [this] { Q_EMIT showCard(nextCard()); });
    connect(m_cycle, &ReminderCycle::closeCard, this, &Program::closeCard);
    m_hold = new HoldSettings(DataFiles::path(m_dataFolder, DataFiles::Hold), this);
    m_gate = new HoldGate(*m_hold, m_clock, this);
    m_texts = new ReminderTexts(DataFiles::path(m_dataFolder, DataFiles::Texts), this);
    m_cycle->setGate(m_gate);
    m_times = new TimesSettings(DataFiles::path(m_dataFolder, DataFiles::Times), this);
    m_timesScheduler = new TimesScheduler(*m_times, m_clock, this);
    m_timesScheduler->setGate(m_gate);
    // One card at a time: a timed reminder due while the interval's card is
    // up waits until it goes, rather than cutting it short.
    m_timesScheduler->setOtherCardUp([this] { return m_cycle->cardUp(); });
    m_timesScheduler->setPlayable([this](const QList<TextKey> &keys) {
        QList<QString> own;
        for (const ReminderTexts::OwnText &t : m_texts->values().own)
            own.append(t.text);
        const QString family = m_settings->values().fontName;
        return TimedSequence::playable(keys, own, [&family](const QString &text) {
            return CardText::check(text, family) == CardText::Verdict::Fits;
        });
    });
    connect(m_timesScheduler, &TimesScheduler::sequenceStarted, m_cycle, &ReminderCycle::rest);
    connect(m_timesScheduler, &TimesScheduler::sequenceEnded, m_cycle, &ReminderCycle::resume);
    connect(m_timesScheduler, &TimesScheduler::showCard, this,
            [this](const TextKey &text, int position, int count, bool untilClosed) {
                Q_EMIT showCard(timedCard(text, position, count, untilClosed));
            });
    // The interval's card taken away (Stop) frees the screen too.
    connect(m_cycle, &ReminderCycle::closeCard, m_timesScheduler, &TimesScheduler::otherCardClosed,
            Qt::QueuedConnection);
    // Every card handed to the screen sounds as it slides up; one that
    // waits in a hold is handed over (and sounds) only when it comes.
    m_sound = new SoundSettings(DataFiles::path(m_dataFolder, DataFiles::Sound), this);
    m_cardSound = new CardSound(*m_sound, m_platform, this);
    connect(this, &Program::showCard, m_cardSound, &CardSound::cardShown);
    // The caller is answered first; a choice that could not be saved is
    // told to the user after, from the loop, so that the answer does not
    // wait on the message box.
    m_channel->setPauseHandler([this](const PauseLength &length) { return savedOrTold(m_gate->pause(length)); });
    m_channel->setResumeHandler([this] { return savedOrTold(m_gate->resume()); });
    connect(m_channel, &InstanceChannel::showNowRequested, this, &Program::remindNow);
}

Program::~Program() = default;

QString Program::settingsPath() const
{
    return DataFiles::path(m_dataFolder, DataFiles::Record);
}

bool Program::load()
{
    switch (m_instanceLock.acquire()) {
    case InstanceLock::Outcome::Acquired: break;
    case InstanceLock::Outcome::HeldByAnother:
        // The user wanted the program: the running copy comes forward, and
        // the message says why this one goes.
        m_channel->askToRaise();
        Q_EMIT notice(Notice::SecondCopy);
        return false;
    case InstanceLock::Outcome::Unavailable:
        // No other copy is known to run: nothing to bring forward, and a
        // message that names what is really wrong.
        Q_EMIT notice(Notice::NoLock);
        return false;
    }
    // Without it a later start only shows its message and the command
    // line's requests go unheard; the program runs on, and says so.
    if (!m_channel->listen())
        Q_EMIT notice(Notice::NoChannel);

    QDir().mkpath(m_dataFolder);
    // An older version's files, where the system kept them, come over once
    // (under the lock, so that two starts cannot both copy).
    m_olderFolder = OlderDataFolder::copyInto(m_dataFolder, m_platform.olderDataFolders());
    if (!m_olderFolder.isEmpty())
        Q_EMIT notice(Notice::OlderFolderCopied);
    removeLeftovers();
    m_settings->load();
    // The record's flag is only as fresh as the last Start; the system
    // knows whether this program runs at logon.
    m_settings->setRunAtLogon(RunAtLogon::isRegistered(m_platform));
    m_hold->load();
    if (m_hold->problem() != HoldSettings::Problem::None)
        Q_EMIT notice(Notice::HoldProblem);
    m_texts->load();
    if (m_texts->problem() != ReminderTexts::Problem::None)
        Q_EMIT notice(Notice::TextsProblem);
    m_sound->load();
    if (m_sound->problem() != SoundSettings::Problem::None)
        Q_EMIT notice(Notice::SoundProblem);
    // Only what the choices need is watched, from here on.
    m_holdWatch = new HoldWatch(
        m_platform, *m_gate,
        [this] {
            const QScreen *screen = cardScreen();
            return screen ? screen->geometry() : QRect();
        },
        this);
    m_times->load();
    if (m_times->problem() != TimesSettings::Problem::None)
        Q_EMIT notice(Notice::TimesProblem);
    // The texts are read, and the desktop watched: timed reminders may
    // come, one missed while the program was not running among them.
    m_timesScheduler->start();
    // Its timer stands still while the machine sleeps: a reminder due
    // meanwhile comes at the wake (or is skipped past the grace), not late
    // by the length of the sleep.
    m_platform.watchWake(*m_timesScheduler, [scheduler = m_timesScheduler] { scheduler->check(); });
    return true;
}

void Program::removeLeftovers()
{
    // What a copy killed in the middle of writing its files left behind.
    const QString staging = DataFiles::path(m_dataFolder, DataFiles::Staging);
    QDir().mkpath(staging);
    removeSaveLeftovers(m_dataFolder,
                        {QLatin1String(DataFiles::Record), QLatin1String(DataFiles::Announcement),
                         QLatin1String(DataFiles::Movie), QLatin1String(DataFiles::Hold),
                         QLatin1String(DataFiles::Texts), QLatin1String(DataFiles::Sound),
                         QLatin1String(DataFiles::Times)});
    removeSaveLeftovers(staging,
                        {QFileInfo(QLatin1String(DataFiles::StagedAnnouncement)).fileName(),
                         QFileInfo(QLatin1String(DataFiles::StagedMovie)).fileName()});
}

bool Program::firstRun() const
{
    return m_settings->values().interval.value() == 0;
}

QScreen *Program::cardScreen() const
{
    return cardScreen(m_hold->values().monitor);
}

QScreen *Program::cardScreen(HoldSettings::Monitor monitor) const
{
    QScreen *screen = nullptr;
    switch (monitor) {
    case HoldSettings::Monitor::Primary: break;
    case HoldSettings::Monitor::Pointer: screen = QGuiApplication::screenAt(QCursor::pos()); break;
    case HoldSettings::Monitor::ActiveWindow: {
        const QRect active = m_platform.activeWindowArea();
        if (active.isValid())
            screen = QGuiApplication::screenAt(active.center());
        break;
    }
    }
    return screen ? screen : QGuiApplication::primaryScreen();
}

CardContent Program::nextCard()
{
    const Settings::Values &settings = m_settings->values();
    CardContent content = cardFace(m_hold->values());
    content.displaySeconds = settings.duration.count();
    // A text of the user's that the font chosen since it was typed would
    // cut is passed over: the card shows every text whole or not at all.
    const QString family = settings.fontName;
    const TextKey key = m_texts->next(Catalogue::seedFromClock(), [&family](const QString &text) {
        return CardText::check(text, family) == CardText::Verdict::Fits;
    });
    content.textIndex = key.builtIn;
    content.text = m_texts->text(key);
    return content;
}

CardContent Program::cardFace(const HoldSettings::Values &hold) const
{
    const Settings::Values &settings = m_settings->values();
    CardContent content;
    content.picture = settings.picture();
    content.fontName = settings.fontName;
    content.screen = cardScreen(hold.monitor);
    content.corner = hold.corner;
    content.size = hold.size;
    return content;
}

CardContent Program::previewCard(const HoldSettings::Values &hold) const
{
    CardContent content = cardFace(hold);
    content.textIndex = 0;
    content.text = m_texts->text(TextKey::ofBuiltIn(content.textIndex));
    return content;
}

CardContent Program::timedCard(const TextKey &text, int position, int count, bool untilClosed)
{
    CardContent content = cardFace(m_hold->values());
    content.displaySeconds = untilClosed ? 0 : m_settings->values().duration.count();
    content.text = m_texts->text(text);
    content.textIndex = text.builtIn;
    content.sequencePosition = position;
    content.sequenceCount = count;
    return content;
}

ReminderCycle::Verdict Program::start(const QString &interval, Settings::Unit unit, const QString &duration)
{
    return m_cycle->start(interval, unit, duration);
}

ReminderCycle::Verdict Program::autoStart()
{
    return m_cycle->autoStart();
}

void Program::stop()
{
    m_cycle->stop();
}

void Program::remindNow()
{
    m_cycle->remindNow();
}

void Program::cardClosed()
{
    if (m_timesScheduler->running()) {
        m_timesScheduler->cardClosed();
        return;
    }
    m_cycle->cardClosed();
    m_timesScheduler->otherCardClosed();
}

bool Program::savedOrTold(bool saved)
{
    if (!saved)
        QMetaObject::invokeMethod(this, &Program::holdNotSaved, Qt::QueuedConnection);
    return saved;
}
