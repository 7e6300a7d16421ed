#include "app/MainWindow.h"

#include "announce/Announcer.h"
#include "app/Fonts.h"
#include "app/MainForm.h"
#include "app/MainMenus.h"
#include "app/MessageBoxes.h"
#include "app/PauseMenu.h"
#include "app/TrayArea.h"
#include "controls/Named.h"
#include "controls/WindowLook.h"
#include "core/cycle/Clock.h"
#include "core/cycle/ReminderCycle.h"
#include "core/hold/HoldGate.h"
#include "core/settings/Settings.h"
#include "core/texts/ReminderTexts.h"
#include "info/AboutAuthorWindow.h"
#include "info/AboutProgramWindow.h"
#include "info/InstructionsWindow.h"
#include "platform/Platform.h"
#include "reminder/BackgroundChooser.h"
#include "reminder/CardPreview.h"
#include "reminder/HoldWindow.h"
#include "reminder/ReminderCard.h"
#include "reminder/RunAtLogon.h"
#include "reminder/SettingsDialog.h"
#include "reminder/SoundWindow.h"
#include "reminder/TextsWindow.h"
#include "reminder/TimesWindow.h"
#include "resources/Artwork.h"

#include <QCloseEvent>
#include <QDir>
#include <QMenuBar>

MainWindow::MainWindow(Program &program, Platform &platform, MessageBoxes &messages, Clock &clock, QWidget *parent)
    : MainWindow(nullptr, &program, platform, messages, clock, parent)
{
}

MainWindow::MainWindow(Platform &platform, MessageBoxes &messages, Clock &clock, QWidget *parent)
    : MainWindow(std::make_unique<Program>(platform, clock), nullptr, platform, messages, clock, parent)
{
}

MainWindow::MainWindow(std::unique_ptr<Program> own, Program *program, Platform &platform, MessageBoxes &messages,
                       Clock &clock, QWidget *parent)
    : QMainWindow(parent)
    , m_ownProgram(std::move(own))
    , m_program(program ? *program : *m_ownProgram)
    , m_platform(platform)
    , m_messages(messages)
    , m_clock(clock)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(Title);
    setWindowRole(QStringLiteral("murel-main"));
    setLayoutDirection(Qt::RightToLeft);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowIcon(programIcon());
    setFont(interfaceFont());

    connect(&m_program, &Program::notice, this, &MainWindow::tell);
    connect(&m_program, &Program::raiseRequested, this, [this] {
        if (!m_ending)
            restore();
    });
    // Told after the Start that met it has finished, not in its middle.
    connect(
        &m_program.settings(), &Settings::saveFailed, this, [this] { m_messages.inform(this, SaveFailedMessage); },
        Qt::QueuedConnection);
    connect(&m_program.cycle(), &ReminderCycle::runningChanged, this, &MainWindow::showState);
    connect(&m_program, &Program::showCard, this, &MainWindow::showCard);
    connect(&m_program, &Program::closeCard, this, &MainWindow::closeCard);
    connect(&m_program.holdGate(), &HoldGate::changed, this, &MainWindow::showState);
    connect(&m_program, &Program::holdNotSaved, this, &MainWindow::holdNotSaved);

    m_menus = new MainMenus(*this, m_program.holdGate());
    connectMenus();
    m_form = named(new MainForm(m_messages, this), "client");
    setCentralWidget(m_form);
    connect(m_form, &MainForm::startClicked, this, &MainWindow::start);
    connect(m_form, &MainForm::stopClicked, this, &MainWindow::stop);
    buildAnnouncements();

    m_tray = named(new TrayArea(windowIcon(), TrayText, this), "TA1");
    connect(m_tray, &TrayArea::iconActivate, this, &MainWindow::restore);
    m_tray->setMenu(m_menus->trayMenu());

    setFixedSize(312, 322 + menuBar()->sizeHint().height());
    // The outer corner, caption bar included, goes at 303, 167: a move on a
    // window not yet shown places its frame, where a geometry would place
    // the client area and leave the window a caption bar lower.
    move(303, 167);
}

MainWindow::~MainWindow()
{
    delete m_card;
}

void MainWindow::connectMenus()
{
    connect(m_menus, &MainMenus::exitChosen, this, &MainWindow::exitProgram);
    connect(m_menus, &MainMenus::settingsChosen, this, &MainWindow::openSettings);
    connect(m_menus, &MainMenus::holdChosen, this, &MainWindow::openHoldWindow);
    connect(m_menus, &MainMenus::timesChosen, this, &MainWindow::openTimesWindow);
    connect(m_menus, &MainMenus::instructionsChosen, this, &MainWindow::openInstructions);
    connect(m_menus, &MainMenus::aboutProgramChosen, this, &MainWindow::openAboutProgram);
    connect(m_menus, &MainMenus::aboutAuthorChosen, this, &MainWindow::openAboutAuthor);
    connect(m_menus, &MainMenus::advertisingChosen, this, &MainWindow::openAdvertising);
    connect(m_menus, &MainMenus::minimizeChosen, this, &MainWindow::hideToTray);
    connect(m_menus, &MainMenus::restoreChosen, this, &MainWindow::restore);
    connect(m_menus, &MainMenus::pauseNotSaved, this, &MainWindow::holdNotSaved);
    setPublisher(m_publisher);
}

void MainWindow::setPublisher(const Publisher &publisher)
{
    m_publisher = publisher;
    if (m_announcer)
        m_announcer->setPublisher(publisher);
    m_menus->setAdvertisingEnabled(m_publisher.configured());
}

void MainWindow::buildAnnouncements()
{
    m_announcer = named(new Announcer(m_platform, m_clock, m_form->strip(), m_program.dataFolder(), this), "announcer");
    m_announcer->setPublisher(m_publisher);
    connect(m_announcer, &Announcer::fetchFailed, this, [this] { m_messages.inform(this, Announcer::ErrorMessage); });
}

bool MainWindow::load()
{
    if (!m_program.load())
        return false;
    m_form->showValues(m_program.settings().values());
    showState();
    // Nothing set yet (a first run): the window, without a word. Any other
    // interval is judged as Start judges it.
    if (m_program.firstRun())
        show();
    else
        autoStart();

    // Announcements: the monitor and the movie check run all the time; the
    // fetch only when there is a server to fetch from.
    m_announcer->start();
    return true;
}

void MainWindow::tell(Program::Notice notice)
{
    // What stops or precedes the start-up is told on its own; what the
    // stores found, over the window.
    switch (notice) {
    case Program::Notice::SecondCopy: m_messages.inform(nullptr, SecondCopyMessage); break;
    case Program::Notice::NoLock: m_messages.inform(nullptr, NoLockMessage); break;
    case Program::Notice::NoChannel: m_messages.inform(nullptr, NoChannelMessage); break;
    case Program::Notice::OlderFolderCopied:
        m_messages.inform(nullptr,
                          OlderFolderCopiedMessage.arg(QDir::toNativeSeparators(m_program.olderFolder()),
                                                       QDir::toNativeSeparators(m_program.dataFolder())));
        break;
    case Program::Notice::HoldProblem: m_messages.inform(this, HoldWindow::problemMessage(m_program.hold())); break;
    case Program::Notice::TextsProblem: m_messages.inform(this, TextsWindow::problemMessage(m_program.texts())); break;
    case Program::Notice::TimesProblem: m_messages.inform(this, TimesWindow::problemMessage(m_program.times())); break;
    case Program::Notice::SoundProblem: m_messages.inform(this, SoundWindow::problemMessage(m_program.sound())); break;
    }
}

bool MainWindow::accepted(ReminderCycle::Verdict verdict)
{
    switch (verdict) {
    case ReminderCycle::Verdict::Valid: return true;
    case ReminderCycle::Verdict::BadInterval: m_messages.inform(this, IntervalMessage); break;
    case ReminderCycle::Verdict::BadDuration: m_messages.inform(this, DurationMessage); break;
    }
    return false;
}

void MainWindow::showState()
{
    // While paused, until when, in the window as well as in the tray.
    const QDateTime pausedUntil = m_program.holdGate().pausedUntil();
    const QString pause = pausedUntil.isValid() ? pauseNotice(pausedUntil, m_clock.localNow()) : QString();
    m_form->showState(m_program.cycle().running(), pause);
    if (m_tray)
        m_tray->setToolTip(pause.isEmpty() ? TrayText : TrayText + QStringLiteral(" — ") + pause);
}

void MainWindow::holdNotSaved()
{
    // Once a run: the choices still hold until the program ends.
    if (m_holdNotSavedTold)
        return;
    m_holdNotSavedTold = true;
    m_messages.inform(this, HoldNotSavedMessage);
}

void MainWindow::start()
{
    accepted(m_program.start(m_form->intervalText(), m_form->unit(), m_form->durationText()));
}

void MainWindow::autoStart()
{
    hideToTray();
    accepted(m_program.autoStart());
}

void MainWindow::stop()
{
    m_program.stop();
}

void MainWindow::openReminder()
{
    m_program.remindNow();
}

ReminderCard *MainWindow::reminder() const
{
    return m_card;
}

void MainWindow::showCard(const CardContent &content)
{
    closeCard();
    m_card = new ReminderCard(content, m_clock, m_platform, windowIcon());
    connect(m_card, &ReminderCard::closed, &m_program, &Program::cardClosed);
    m_card->showCard();
}

void MainWindow::closeCard()
{
    if (ReminderCard *card = m_card.data()) {
        m_card = nullptr;
        card->unload();
    }
}

void MainWindow::hideToTray()
{
    if (!m_platform.hasNotificationArea()) {
        showMinimized();
        return;
    }
    // The icon comes before the window goes, so one of them is always there.
    m_tray->setIconVisible(true);
    hide();
}

void MainWindow::restore()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
    m_tray->setIconVisible(false);
}

void MainWindow::exitProgram()
{
    if (m_ending)
        return;
    m_ending = true;
    closeCard();
    Q_EMIT programEnd();
}

void MainWindow::runModal(QDialog &window)
{
    stop();
    window.setModal(true);
    Q_EMIT modalOpening(&window);
    window.exec();
}

void MainWindow::openSettings()
{
    stop();
    SettingsDialog window(m_program.settings(), m_platform, *this, &m_program.texts(), &m_program.sound());
    // Its run goes back to the dialog when the chooser's loop ends, which
    // the program's exit does too: it must hear of the exit itself.
    connect(this, &MainWindow::programEnd, &window, &SettingsDialog::endForProgramExit);
    connect(&window, &SettingsDialog::logonEntryKept, this, [this] { m_messages.inform(this, LogonEntryKeptMessage); });
    Q_EMIT modalOpening(&window);
    window.run();
}

void MainWindow::openInstructions()
{
    InstructionsWindow window(this);
    runModal(window);
}

void MainWindow::openAboutProgram()
{
    AboutProgramWindow window(
        m_publisher.homePage(), [this](const QUrl &url) { m_platform.openUrl(url); }, this);
    runModal(window);
}

void MainWindow::openAboutAuthor()
{
    AboutAuthorWindow window(m_publisher.configured() ? m_publisher.homePage().host() : QString(), this);
    runModal(window);
}

void MainWindow::openAdvertising()
{
    if (m_publisher.configured())
        m_platform.openUrl(m_publisher.advertisingPage());
}

void MainWindow::openHoldWindow()
{
    // Unlike the program's older windows, this one leaves the cycle
    // running: its choices only decide when a due card shows.
    HoldWindow window(m_program.hold(), this);
    connect(&window, &HoldWindow::notSaved, this, &MainWindow::holdNotSaved);
    connect(this, &MainWindow::programEnd, &window, &QDialog::reject);
    // A corner or a size chosen shows a card there for a moment; it goes
    // with the window.
    CardPreview preview(m_clock, m_platform, windowIcon());
    connect(&window, &HoldWindow::previewRequested, &preview,
            [this, &preview](const HoldSettings::Values &shown) { preview.show(m_program.previewCard(shown)); });
    window.setModal(true);
    Q_EMIT modalOpening(&window);
    window.exec();
}

void MainWindow::openTimesWindow()
{
    // Like the hold window, it leaves the interval cycle running.
    TimesWindow window(m_program.times(), m_program.texts(), this);
    connect(&window, &TimesWindow::notSaved, this, [this] { m_messages.inform(this, TimesWindow::NotSavedMessage); });
    connect(this, &MainWindow::programEnd, &window, &QDialog::reject);
    window.setModal(true);
    Q_EMIT modalOpening(&window);
    window.exec();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The window is not put away: the whole program ends, whoever asked.
    event->ignore();
    exitProgram();
}
