#include "app/MainWindow.h"

#include "announce/Announcer.h"
#include "announce/MovieStrip.h"
#include "app/Fonts.h"
#include "app/KeyFilter.h"
#include "app/MessageBoxes.h"
#include "app/PauseMenu.h"
#include "app/TrayArea.h"
#include "controls/Label.h"
#include "controls/Named.h"
#include "controls/Shape.h"
#include "controls/ShownChildrenAccessible.h"
#include "controls/TavrelButton.h"
#include "controls/WindowLook.h"
#include "core/cycle/Clock.h"
#include "core/cycle/ReminderCycle.h"
#include "core/fetch/PlayerLocation.h"
#include "core/hold/HoldGate.h"
#include "core/settings/Settings.h"
#include "core/texts/ReminderTexts.h"
#include "info/AboutAuthorWindow.h"
#include "info/AboutProgramWindow.h"
#include "info/InstructionsWindow.h"
#include "platform/Platform.h"
#include "reminder/BackgroundChooser.h"
#include "reminder/HoldWindow.h"
#include "reminder/ReminderCard.h"
#include "reminder/RunAtLogon.h"
#include "reminder/SettingsDialog.h"
#include "reminder/TextsWindow.h"
#include "resources/Artwork.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>

namespace {

QGroupBox *frame(QWidget *parent, const QRect &geometry)
{
    auto *box = new QGroupBox(parent);
    box->setGeometry(geometry);
    return box;
}

// The captions were written with the colon at their left end, next to the
// box they label; paragraph is the direction that puts it there.
QLabel *label(QWidget *parent, const QString &text, const QRect &geometry, Qt::LayoutDirection paragraph)
{
    return placeLabel(parent, text, geometry, Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter, paragraph);
}

QLineEdit *numberBox(QWidget *parent, const QRect &geometry)
{
    auto *box = new QLineEdit(QStringLiteral("0"), parent);
    box->setGeometry(geometry);
    box->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    return box;
}

QRadioButton *option(QWidget *parent, const QString &text, const QRect &geometry)
{
    auto *o = new QRadioButton(text, parent);
    o->setGeometry(geometry);
    // The three share their frame and nothing else: exclusive among
    // themselves, read as radio buttons, the arrow keys moving between them.
    // The settings always hold a unit, so one of them is always on.
    return o;
}

} // namespace

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
    connect(&m_program.cycle(), &ReminderCycle::runningChanged, this, &MainWindow::setRunning);
    connect(&m_program, &Program::showCard, this, &MainWindow::showCard);
    connect(&m_program, &Program::closeCard, this, &MainWindow::closeCard);
    connect(&m_program.holdGate(), &HoldGate::changed, this, &MainWindow::showPauseState);
    connect(&m_program, &Program::holdNotSaved, this, &MainWindow::holdNotSaved);

    buildMenus();
    buildControls();

    m_tray = new TrayArea(windowIcon(), TrayText, this);
    m_tray->setObjectName(QStringLiteral("TA1"));
    connect(m_tray, &TrayArea::iconActivate, this, &MainWindow::restore);
    m_tray->setMenu(m_trayMenu);

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

void MainWindow::buildMenus()
{
    QMenuBar *bar = menuBar();
    QMenu *file = named(bar->addMenu(QStringLiteral("ملف")), "File");
    QAction *exit = named(file->addAction(QStringLiteral("خروج")), "exit");
    QMenu *options = named(bar->addMenu(QStringLiteral("خيارات")), "op");
    QAction *settings = named(options->addAction(QStringLiteral("اعدادات")), "Setting");
    auto *pause = named(new PauseMenu(m_program.holdGate(), this), "pauseMenu");
    options->addMenu(pause);
    QAction *hold = named(options->addAction(HoldWindow::Title), "HoldM");
    QMenu *help = named(bar->addMenu(QStringLiteral("مساعدة")), "help");
    QAction *instructions = named(help->addAction(QStringLiteral("تعليمات وارشادات")), "InstructionM");
    named(help->addSeparator(), "none");
    QAction *aboutProgram = named(help->addAction(QStringLiteral("عن البرنامج")), "AboutPro");
    QAction *aboutAuthor = named(help->addAction(QStringLiteral("عن المبرمج")), "AboutME");
    named(help->addSeparator(), "line");
    m_advertising = named(help->addAction(QStringLiteral("الإعلان في البرنامج")), "adv");
    QAction *minimize = named(bar->addAction(QStringLiteral("تصغير")), "Minimize");

    // Only ever the tray icon's menu: it is not added to the bar. A pop-up
    // is a window of its own and takes no direction from this one.
    m_trayMenu = named(new QMenu(QStringLiteral("tary"), this), "tary");
    m_trayMenu->setLayoutDirection(Qt::RightToLeft);
    QAction *trayExit = named(m_trayMenu->addAction(QStringLiteral("خروج")), "exit2");
    named(m_trayMenu->addSeparator(), "none2");
    QAction *maximize = named(m_trayMenu->addAction(QStringLiteral("تكبير")), "Max");
    named(m_trayMenu->addSeparator(), "none3");
    auto *trayPause = named(new PauseMenu(m_program.holdGate(), m_trayMenu), "trayPauseMenu");
    m_trayMenu->addMenu(trayPause);
    QAction *trayHold = named(m_trayMenu->addAction(HoldWindow::Title), "HoldM2");

    connect(exit, &QAction::triggered, this, &MainWindow::exitProgram);
    connect(trayExit, &QAction::triggered, this, &MainWindow::exitProgram);
    connect(settings, &QAction::triggered, this, &MainWindow::openSettings);
    connect(instructions, &QAction::triggered, this, &MainWindow::openInstructions);
    connect(aboutProgram, &QAction::triggered, this, &MainWindow::openAboutProgram);
    connect(aboutAuthor, &QAction::triggered, this, &MainWindow::openAboutAuthor);
    connect(m_advertising, &QAction::triggered, this, &MainWindow::openAdvertising);
    connect(minimize, &QAction::triggered, this, &MainWindow::hideToTray);
    connect(maximize, &QAction::triggered, this, &MainWindow::restore);
    for (PauseMenu *menu : {pause, trayPause})
        connect(menu, &PauseMenu::notSaved, this, &MainWindow::holdNotSaved);
    for (QAction *item : {hold, trayHold})
        connect(item, &QAction::triggered, this, &MainWindow::openHoldWindow);
    setPublisher(m_publisher);
}

void MainWindow::setPublisher(const Publisher &publisher)
{
    m_publisher = publisher;
    if (m_announcer)
        m_announcer->setPublisher(publisher);
    // With no address configured the item is shown, but cannot be chosen.
    m_advertising->setEnabled(m_publisher.configured());
}

void MainWindow::buildControls()
{
    auto *client = new QWidget(this);
    client->setFixedSize(312, 322);
    setCentralWidget(client);
    // The movie strip stays hidden while no movie plays: not for screen
    // readers either.
    listOnlyShownChildren(*client);

    QGroupBox *intervalFrame = named(frame(client, {16, 8, 281, 129}), "Frame2");
    m_intervalBox = named(numberBox(intervalFrame, {8, 32, 121, 19}), "Text1");
    named(label(intervalFrame, QStringLiteral(" :وقت ظهور شاشة التذكير كل"), {136, 32, 137, 20}, Qt::LeftToRight),
          "Label10");
    m_unitFrame = named(frame(intervalFrame, {8, 48, 121, 65}), "Frame1");
    m_hours = named(option(m_unitFrame, QStringLiteral("ساعة"), {8, 16, 49, 17}), "Option3");
    m_seconds = named(option(m_unitFrame, QStringLiteral("ثانية"), {64, 16, 49, 17}), "Option1");
    m_minutes = named(option(m_unitFrame, QStringLiteral("دقيقة"), {64, 40, 49, 17}), "Option2");
    // Tab enters the group at the chosen unit, as in any radio group; the
    // arrow keys move between the three.
    for (QRadioButton *o : {m_hours, m_seconds, m_minutes}) {
        o->setFocusPolicy(Qt::ClickFocus);
        connect(o, &QRadioButton::toggled, o,
                [o](bool on) { o->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus); });
    }
    setUnit(m_seconds);

    QGroupBox *durationFrame = named(frame(client, {16, 136, 281, 49}), "Frame3");
    m_durationBox = named(numberBox(durationFrame, {40, 16, 89, 18}), "Text2");
    named(label(durationFrame, QStringLiteral(" :   مدة بقاء شاشة التذكير"), {136, 17, 129, 17}, Qt::LeftToRight),
          "Label3");
    QLabel *unitWord = named(label(durationFrame, QStringLiteral("ثانية"), {8, 16, 33, 17}, Qt::RightToLeft), "Label4");
    // The unit word sits in the gap left of its box; centred, it keeps clear
    // of the box's border.
    unitWord->setAlignment(Qt::AlignCenter);

    QGroupBox *runFrame = named(frame(client, {16, 184, 281, 65}), "Frame4");
    auto *startButton = m_startButton = named(new TavrelButton(runFrame), "Command1");
    startButton->setDescription({.caption = QStringLiteral("ابــدأ")});
    startButton->setGeometry(216, 24, 49, 25);
    auto *stopButton = named(new TavrelButton(runFrame), "Command2");
    stopButton->setDescription({.caption = QStringLiteral("قــف")});
    stopButton->setGeometry(160, 24, 49, 25);
    m_lamp = named(new Shape(Shape::Kind::Circle, runFrame), "Shape1");
    m_lamp->setGeometry(39, 27, 17, 17);
    m_lamp->setFilled(true);
    m_lamp->setFillColor(LampStopped);
    named(label(runFrame, QStringLiteral("حالة البرنامج :"), {73, 28, 72, 17}, Qt::RightToLeft), "Label5");
    // While paused, until when, under the buttons: on the client itself,
    // which shows screen readers only what is shown.
    m_pauseLine = named(label(client, QString(), {24, 233, 265, 15}, Qt::RightToLeft), "pauseLine");
    m_pauseLine->hide();

    buildAnnouncements(client);

    for (QRadioButton *o : {m_seconds, m_minutes, m_hours})
        connect(o, &QRadioButton::clicked, this, [this, o] { setUnit(o); });
    connect(startButton, &TavrelButton::clicked, this, &MainWindow::start);
    connect(stopButton, &TavrelButton::clicked, this, &MainWindow::stop);

    // The number boxes are named after their captions for screen readers.
    m_intervalBox->setAccessibleName(QStringLiteral("وقت ظهور شاشة التذكير كل"));
    m_durationBox->setAccessibleName(QStringLiteral("مدة بقاء شاشة التذكير"));

    auto *keyFilter = new KeyFilter(m_messages, this);
    m_intervalBox->installEventFilter(keyFilter);
    m_durationBox->installEventFilter(keyFilter);
}

void MainWindow::buildAnnouncements(QWidget *client)
{
    m_banner = new QLabel(client);
    m_banner->setObjectName(QStringLiteral("Image1"));
    m_banner->setGeometry(16, 256, 278, 54);
    m_banner->setScaledContents(true);
    m_banner->setPixmap(bannerPicture(m_banner->devicePixelRatioF()));
    m_strip = new MovieStrip(client);
    m_strip->setObjectName(QStringLiteral("SF1"));
    m_strip->setGeometry(16, 256, 281, 54);
    m_strip->setPlayerProgram(PlayerLocation::installedProgramFile(QCoreApplication::applicationDirPath()));
    m_strip->hide();

    m_announcer = new Announcer(m_platform, m_clock, *m_strip, m_program.dataFolder(), this);
    m_announcer->setObjectName(QStringLiteral("announcer"));
    m_announcer->setPublisher(m_publisher);
    connect(m_announcer, &Announcer::fetchFailed, this, [this] { m_messages.inform(this, Announcer::ErrorMessage); });
}

bool MainWindow::load()
{
    if (!m_program.load())
        return false;
    showSettings();
    showPauseState();
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
    }
}

void MainWindow::showSettings()
{
    const Settings::Values &v = m_program.settings().values();
    m_intervalBox->setText(v.interval.text());
    m_durationBox->setText(v.duration.text());
    switch (v.unit) {
    case Settings::Unit::Seconds: setUnit(m_seconds); break;
    case Settings::Unit::Minutes: setUnit(m_minutes); break;
    case Settings::Unit::Hours: setUnit(m_hours); break;
    }
}

void MainWindow::setUnit(QRadioButton *option)
{
    option->setChecked(true);
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

void MainWindow::setRunning(bool running)
{
    m_unitFrame->setEnabled(!running);
    m_intervalBox->setEnabled(!running);
    m_durationBox->setEnabled(!running);
    // The inputs' focus falls to Start while they are locked: a key there
    // must not restart the running cycle and rewrite its record. The button
    // keeps its look and its mouse click.
    m_startButton->setKeyboardClicks(!running);
    showPauseState();
}

void MainWindow::showPauseState()
{
    // Red and green are not told apart by every eye: the state in words
    // too, and while paused, until when, in the window as well as in the
    // tray; a running cycle that is paused has a lamp of its own.
    const QDateTime pausedUntil = m_program.holdGate().pausedUntil();
    const QString pause = pausedUntil.isValid() ? pauseNotice(pausedUntil, m_clock.localNow()) : QString();
    const bool running = m_program.cycle().running();
    m_lamp->setFillColor(!running ? LampStopped : pause.isEmpty() ? LampRunning : LampPaused);
    const QString state = running ? RunningText : StoppedText;
    const QString lampText = pause.isEmpty() ? state : state + QStringLiteral("، ") + pause;
    m_lamp->setToolTip(lampText);
    m_lamp->setAccessibleName(lampText);
    m_pauseLine->setText(pause);
    m_pauseLine->setVisible(!pause.isEmpty());
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
    const Settings::Unit unit = m_minutes->isChecked() ? Settings::Unit::Minutes
        : m_hours->isChecked()                         ? Settings::Unit::Hours
                                                       : Settings::Unit::Seconds;
    accepted(m_program.start(m_intervalBox->text(), unit, m_durationBox->text()));
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
    SettingsDialog window(m_program.settings(), m_platform, *this, &m_program.texts());
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
