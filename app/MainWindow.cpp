#include "app/MainWindow.h"

#include "announce/Announcer.h"
#include "announce/MovieStrip.h"
#include "app/Fonts.h"
#include "app/KeyFilter.h"
#include "app/MessageBoxes.h"
#include "app/TrayArea.h"
#include "controls/ButtonInput.h"
#include "controls/Label.h"
#include "controls/Shape.h"
#include "controls/TavrelButton.h"
#include "controls/WindowLook.h"
#include "core/Clock.h"
#include "core/ExtraTimer.h"
#include "core/NumericValue.h"
#include "core/PlayerLocation.h"
#include "core/Rounding.h"
#include "core/SaveLeftovers.h"
#include "core/SettingsRecord.h"
#include "info/InstructionsWindow.h"
#include "info/AboutAuthorWindow.h"
#include "info/AboutProgramWindow.h"
#include "platform/Platform.h"
#include "reminder/ReminderCard.h"
#include "reminder/SettingsDialog.h"
#include "resources/Artwork.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QCursor>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTimer>

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

QLineEdit *hiddenBox(QWidget *parent, const QString &text)
{
    auto *box = new QLineEdit(text, parent);
    box->hide();
    return box;
}

QRadioButton *option(QWidget *parent, const QString &text, const QRect &geometry)
{
    auto *o = new QRadioButton(text, parent);
    o->setGeometry(geometry);
    // The group's exclusivity is kept by MainWindow::setOption, which also allows
    // the all-off state a damaged record leaves.
    o->setAutoExclusive(false);
    return o;
}

} // namespace

MainWindow::MainWindow(Platform &platform, MessageBoxes &messages, Clock &clock, QWidget *parent)
    : QMainWindow(parent)
    , m_platform(platform)
    , m_messages(messages)
    , m_clock(clock)
    , m_dataFolder(platform.dataFolder())
    , m_instanceLock(m_dataFolder)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(Title);
    setWindowRole(QStringLiteral("murel-main"));
    setLayoutDirection(Qt::RightToLeft);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowIcon(programIcon());
    setFont(interfaceFont());

    buildMenus();
    buildControls();

    TA1 = new TrayArea(windowIcon(), QStringLiteral("برنامج Murel"), this);
    connect(TA1, &TrayArea::iconActivate, this, &MainWindow::restore);
    connect(TA1, &TrayArea::iconMouse, this, &MainWindow::trayMouse);

    Timer1 = new ExtraTimer(m_clock, this);
    connect(Timer1, &ExtraTimer::elapsed, this, &MainWindow::showReminder);
    Timer2 = new QTimer(this);
    Timer2->setInterval(FillDefaultsMs);
    connect(Timer2, &QTimer::timeout, this, &MainWindow::fillDefaults);

    setFixedSize(312, 322 + menuBar()->sizeHint().height());
    // The outer corner, caption bar included, goes at 303, 167: a move on a
    // window not yet shown places its frame, where a geometry would place
    // the client area and leave the window a caption bar lower.
    move(303, 167);
}

MainWindow::~MainWindow()
{
    delete m_form1;
}

void MainWindow::buildMenus()
{
    auto named = [](auto *item, const char *name) {
        item->setObjectName(QString::fromLatin1(name));
        return item;
    };
    QMenuBar *bar = menuBar();
    File = named(bar->addMenu(QStringLiteral("ملف")), "File");
    exit = named(File->addAction(QStringLiteral("خروج")), "exit");
    op = named(bar->addMenu(QStringLiteral("خيارات")), "op");
    Setting = named(op->addAction(QStringLiteral("اعدادات")), "Setting");
    help = named(bar->addMenu(QStringLiteral("مساعدة")), "help");
    InstructionM = named(help->addAction(QStringLiteral("تعليمات وارشادات")), "InstructionM");
    named(help->addSeparator(), "none");
    AboutPro = named(help->addAction(QStringLiteral("عن البرنامج")), "AboutPro");
    AboutME = named(help->addAction(QStringLiteral("عن المبرمج")), "AboutME");
    named(help->addSeparator(), "line");
    adv = named(help->addAction(QStringLiteral("الإعلان في البرنامج")), "adv");
    Minimize = named(bar->addAction(QStringLiteral("تصغير")), "Minimize");

    // Only ever a pop-up: it is not added to the bar.
    tary = named(new QMenu(QStringLiteral("tary"), this), "tary");
    exit2 = named(tary->addAction(QStringLiteral("خروج")), "exit2");
    named(tary->addSeparator(), "none2");
    Max = named(tary->addAction(QStringLiteral("تكبير")), "Max");

    connect(exit, &QAction::triggered, this, &MainWindow::exitProgram);
    connect(exit2, &QAction::triggered, this, &MainWindow::exitProgram);
    connect(Setting, &QAction::triggered, this, &MainWindow::openSettings);
    connect(InstructionM, &QAction::triggered, this, &MainWindow::openInstructions);
    connect(AboutPro, &QAction::triggered, this, &MainWindow::openAboutProgram);
    connect(AboutME, &QAction::triggered, this, &MainWindow::openAboutAuthor);
    connect(adv, &QAction::triggered, this, &MainWindow::openAdvertising);
    connect(Minimize, &QAction::triggered, this, &MainWindow::hideToTray);
    connect(Max, &QAction::triggered, this, &MainWindow::restore);
    setPublisher(m_publisher);
}

void MainWindow::setPublisher(const Publisher &publisher)
{
    m_publisher = publisher;
    if (m_announcer)
        m_announcer->setPublisher(publisher);
    // With no address configured the item is shown, but cannot be chosen.
    adv->setEnabled(m_publisher.configured());
}

void MainWindow::buildControls()
{
    auto *client = new QWidget(this);
    client->setFixedSize(312, 322);
    setCentralWidget(client);

    Frame2 = frame(client, {16, 8, 281, 129});
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Text1 = numberBox(Frame2, {8, 32, 121, 19});
    Text1->setObjectName(QStringLiteral("Text1"));
    Label10 = label(Frame2, QStringLiteral(" :وقت ظهور شاشة التذكير كل"), {136, 32, 137, 20}, Qt::LeftToRight);
    Label10->setObjectName(QStringLiteral("Label10"));
    Frame1 = frame(Frame2, {8, 48, 121, 65});
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Option3 = option(Frame1, QStringLiteral("ساعة"), {8, 16, 49, 17});
    Option3->setObjectName(QStringLiteral("Option3"));
    Option1 = option(Frame1, QStringLiteral("ثانية"), {64, 16, 49, 17});
    Option1->setObjectName(QStringLiteral("Option1"));
    Option2 = option(Frame1, QStringLiteral("دقيقة"), {64, 40, 49, 17});
    Option2->setObjectName(QStringLiteral("Option2"));
    Option1->setChecked(true);
    Text5 = hiddenBox(Frame2, QStringLiteral("1"));
    Text5->setObjectName(QStringLiteral("Text5"));
    Text4 = hiddenBox(Frame2, QStringLiteral("MS Sans Serif"));
    Text4->setObjectName(QStringLiteral("Text4"));
    Text6 = hiddenBox(Frame2, QStringLiteral("0"));
    Text6->setObjectName(QStringLiteral("Text6"));

    Frame3 = frame(client, {16, 136, 281, 49});
    Frame3->setObjectName(QStringLiteral("Frame3"));
    Text2 = numberBox(Frame3, {40, 16, 89, 18});
    Text2->setObjectName(QStringLiteral("Text2"));
    Label3 = label(Frame3, QStringLiteral(" :   مدة بقاء شاشة التذكير"), {136, 17, 129, 17}, Qt::LeftToRight);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label4 = label(Frame3, QStringLiteral("ثانية"), {8, 16, 33, 17}, Qt::RightToLeft);
    // The unit word sits in the gap left of its box; centred, it keeps clear
    // of the box's border.
    Label4->setAlignment(Qt::AlignCenter);
    Label4->setObjectName(QStringLiteral("Label4"));

    Frame4 = frame(client, {16, 184, 281, 65});
    Frame4->setObjectName(QStringLiteral("Frame4"));
    Command1 = new TavrelButton(Frame4);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->readProperties(standardButtonProperties(QStringLiteral("ابــدأ")));
    Command1->setGeometry(216, 24, 49, 25);
    Command2 = new TavrelButton(Frame4);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->readProperties(standardButtonProperties(QStringLiteral("قــف")));
    Command2->setGeometry(160, 24, 49, 25);
    Shape1 = new Shape(Shape::Kind::Circle, Frame4);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(39, 27, 17, 17);
    Shape1->setFilled(true);
    setLamp(LampStopped);
    Label5 = label(Frame4, QStringLiteral("حالة البرنامج :"), {73, 28, 72, 17}, Qt::RightToLeft);
    Label5->setObjectName(QStringLiteral("Label5"));

    buildAnnouncements(client);

    for (QRadioButton *o : {Option1, Option2, Option3})
        connect(o, &QRadioButton::clicked, this, [this, o] { setOption(o, true); });
    connect(Command1, &TavrelButton::clicked, this, &MainWindow::start);
    connect(Command2, &TavrelButton::clicked, this, &MainWindow::stop);

    // The number boxes are named after their captions for screen readers.
    Text1->setAccessibleName(QStringLiteral("وقت ظهور شاشة التذكير كل"));
    Text2->setAccessibleName(QStringLiteral("مدة بقاء شاشة التذكير"));

    auto *keyFilter = new KeyFilter(m_messages, this);
    Text1->installEventFilter(keyFilter);
    Text2->installEventFilter(keyFilter);
}

void MainWindow::buildAnnouncements(QWidget *client)
{
    Image1 = new QLabel(client);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(16, 256, 278, 54);
    Image1->setScaledContents(true);
    Image1->setPixmap(bannerPicture());
    SF1 = new MovieStrip(client);
    SF1->setObjectName(QStringLiteral("SF1"));
    SF1->setGeometry(16, 256, 281, 54);
    SF1->setPlayerProgram(PlayerLocation::installedProgramFile(QCoreApplication::applicationDirPath()));
    SF1->hide();

    m_announcer = new Announcer(m_platform, m_clock, *SF1, m_dataFolder, this);
    m_announcer->setObjectName(QStringLiteral("announcer"));
    m_announcer->setPublisher(m_publisher);
    connect(m_announcer, &Announcer::fetchFailed, this,
            [this] { m_messages.inform(this, Announcer::ErrorMessage); });
}

QString MainWindow::settingsPath() const
{
    return m_dataFolder + QStringLiteral("/background.txt");
}

bool MainWindow::load()
{
    if (!m_instanceLock.acquire()) {
        m_messages.inform(nullptr, SecondCopyMessage);
        return false;
    }
    Timer2->start();

    QDir().mkpath(m_dataFolder);
    QDir().mkpath(m_dataFolder + QStringLiteral("/wjk"));
    // What a copy killed in the middle of writing its files left behind.
    removeSaveLeftovers(m_dataFolder, {QStringLiteral("background.txt"), QStringLiteral("text7.txt"),
                                       QStringLiteral("1.swf")});
    removeSaveLeftovers(m_dataFolder + QStringLiteral("/wjk"), {QStringLiteral("text8.txt"), QStringLiteral("1.swf")});
    readRecord();
    setLamp(LampStopped);

    const QString interval = Text1->text();
    if (interval.isEmpty() || numericValue(interval) == 0) {
        show();
        setLamp(LampStopped);
    } else {
        autoStart();
    }
    if (!Option1->isChecked() && !Option2->isChecked() && !Option3->isChecked())
        setOption(Option1, true);

    // Announcements: the monitor and the movie check run all the time; the
    // fetch only when there is a server to fetch from.
    m_announcer->start();
    return true;
}

void MainWindow::readRecord()
{
    const QStringList fields = readSettingsFile(settingsPath());
    QLineEdit *const texts[] = {Text5, Text4, Text6, Text1, Text2};
    for (int i = 0; i < 5; ++i)
        texts[i]->setText(i < fields.size() ? fields.at(i) : QString());
    QRadioButton *const options[] = {Option1, Option2, Option3};
    for (int i = 0; i < 3; ++i) {
        const int field = 5 + i;
        if (field < fields.size()) {
            if (const auto on = recordBoolean(fields.at(field)))
                setOption(options[i], *on);
        } else if (i < 2) {
            // A missing unit field switches its option off; only the last
            // one keeps what the window had.
            setOption(options[i], false);
        }
    }
}

SettingsRecord MainWindow::currentRecord() const
{
    SettingsRecord r;
    r.background = Text5->text();
    r.fontName = Text4->text();
    r.runAtLogon = Text6->text();
    r.interval = Text1->text();
    r.duration = Text2->text();
    r.seconds = Option1->isChecked();
    r.minutes = Option2->isChecked();
    r.hours = Option3->isChecked();
    return r;
}

void MainWindow::setOption(QRadioButton *option, bool on)
{
    if (on) {
        for (QRadioButton *o : {Option1, Option2, Option3}) {
            if (o != option)
                o->setChecked(false);
        }
    }
    option->setChecked(on);
}

void MainWindow::applyTimeUnit()
{
    if (Option1->isChecked())
        Timer1->setTimeUnit(ExtraTimer::Seconds);
    if (Option3->isChecked())
        Timer1->setTimeUnit(ExtraTimer::Hours);
    if (Option2->isChecked())
        Timer1->setTimeUnit(ExtraTimer::Minutes);
}

bool MainWindow::validate()
{
    const double n = numericValue(Text1->text());
    if (n < 1 || n > 59) {
        m_messages.inform(this, IntervalMessage);
        return false;
    }
    const double d = numericValue(Text2->text());
    if (d < 3 || d > 59) {
        m_messages.inform(this, DurationMessage);
        return false;
    }
    return true;
}

void MainWindow::setRunning(bool running)
{
    Frame1->setEnabled(!running);
    Text1->setEnabled(!running);
    Text2->setEnabled(!running);
    setLamp(running ? LampRunning : LampStopped);
}

void MainWindow::setLamp(quint32 color)
{
    Shape1->setFillColor(color);
    // Red and green are not told apart by every eye: the state in words too.
    const QString state = color == LampRunning ? RunningText : StoppedText;
    Shape1->setToolTip(state);
    Shape1->setAccessibleName(state);
}

void MainWindow::start()
{
    applyTimeUnit();
    if (!validate())
        return;
    // A record that cannot be written costs the saved settings, not the run.
    writeSettingsFile(settingsPath(), currentRecord());
    Timer1->setEnabled(true);
    Timer1->setInterval(roundHalfEven(numericValue(Text1->text())));
    setRunning(true);
}

void MainWindow::autoStart()
{
    hideToTray();
    applyTimeUnit();
    if (!validate())
        return;
    Timer1->setEnabled(true);
    Timer1->setInterval(roundHalfEven(numericValue(Text1->text())));
    setRunning(true);
}

void MainWindow::stop()
{
    Timer1->setEnabled(false);
    if (m_form1)
        m_form1->unload();
    setRunning(false);
}

void MainWindow::openReminder()
{
    // A card already up stays: its reader is not cut off mid-text, and its
    // close re-arms the cycle as any card's does.
    if (m_form1)
        return;
    m_form1 = new ReminderCard(*this);
    m_form1->showCard();
}

ReminderCard *MainWindow::reminder() const
{
    return m_form1;
}

void MainWindow::showReminder()
{
    openReminder();
    Timer1->setEnabled(false);
}

void MainWindow::fillDefaults()
{
    Timer2->stop();
    if (Text4->text().isEmpty())
        Text4->setText(QStringLiteral("MS Sans Serif"));
    if (Text5->text().isEmpty())
        Text5->setText(QStringLiteral("1"));
    if (Text6->text().isEmpty())
        Text6->setText(QStringLiteral("0"));
    if (Text1->text().isEmpty())
        Text1->setText(QStringLiteral("0"));
    if (Text2->text().isEmpty())
        Text2->setText(QStringLiteral("0"));
}

void MainWindow::hideToTray()
{
    if (!m_platform.hasNotificationArea()) {
        showMinimized();
        return;
    }
    // The icon comes before the window goes, so one of them is always there.
    TA1->setIconVisible(true);
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
    TA1->setIconVisible(false);
}

void MainWindow::trayMouse(int button)
{
    if (button == MouseCode::Right)
        tary->popup(QCursor::pos());
}

void MainWindow::exitProgram()
{
    if (m_ending)
        return;
    m_ending = true;
    if (m_form1)
        m_form1->unload();
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
    SettingsDialog window(*this);
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
    AboutProgramWindow window(m_publisher.homePage(), [this](const QUrl &url) { m_platform.openUrl(url); }, this);
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

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The window is not put away: the whole program ends, whoever asked.
    event->ignore();
    exitProgram();
}
