#include "app/MainForm.h"

#include "announce/MovieStrip.h"
#include "app/KeyFilter.h"
#include "controls/Label.h"
#include "controls/Named.h"
#include "controls/Shape.h"
#include "controls/ShownChildrenAccessible.h"
#include "controls/TavrelButton.h"
#include "core/fetch/PlayerLocation.h"
#include "resources/Artwork.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
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

QLineEdit *numberBox(QWidget *parent, const QRect &geometry, const QString &name)
{
    auto *box = new QLineEdit(QStringLiteral("0"), parent);
    box->setGeometry(geometry);
    box->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    // Named after its caption for screen readers.
    box->setAccessibleName(name);
    return box;
}

// The three units share their frame and nothing else: exclusive among
// themselves, read as radio buttons, the arrow keys moving between them.
// Tab enters the group at the chosen one, as in any radio group.
QRadioButton *option(QWidget *parent, const QString &text, const QRect &geometry)
{
    auto *o = new QRadioButton(text, parent);
    o->setGeometry(geometry);
    o->setFocusPolicy(Qt::ClickFocus);
    QObject::connect(o, &QRadioButton::toggled, o,
                     [o](bool on) { o->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus); });
    return o;
}

TavrelButton *button(QWidget *parent, const QString &caption, const QRect &geometry)
{
    auto *b = new TavrelButton(parent);
    b->setDescription({.caption = caption});
    b->setGeometry(geometry);
    return b;
}

} // namespace

MainForm::MainForm(MessageBoxes &messages, QWidget *parent)
    : QWidget(parent)
    , m_messages(messages)
{
    setFixedSize(312, 322);
    // The movie strip stays hidden while no movie plays: not for screen
    // readers either.
    listOnlyShownChildren(*this);
    buildInputs();
    buildRunFrame();
    buildBanner();
}

void MainForm::buildInputs()
{
    QGroupBox *intervalFrame = named(frame(this, {16, 8, 281, 129}), "Frame2");
    m_intervalBox =
        named(numberBox(intervalFrame, {8, 32, 121, 19}, QStringLiteral("وقت ظهور شاشة التذكير كل")), "Text1");
    named(label(intervalFrame, QStringLiteral(" :وقت ظهور شاشة التذكير كل"), {136, 32, 137, 20}, Qt::LeftToRight),
          "Label10");
    m_unitFrame = named(frame(intervalFrame, {8, 48, 121, 65}), "Frame1");
    m_hours = named(option(m_unitFrame, QStringLiteral("ساعة"), {8, 16, 49, 17}), "Option3");
    m_seconds = named(option(m_unitFrame, QStringLiteral("ثانية"), {64, 16, 49, 17}), "Option1");
    m_minutes = named(option(m_unitFrame, QStringLiteral("دقيقة"), {64, 40, 49, 17}), "Option2");
    // The settings always hold a unit, so one of them is always on.
    m_seconds->setChecked(true);

    QGroupBox *durationFrame = named(frame(this, {16, 136, 281, 49}), "Frame3");
    m_durationBox = named(numberBox(durationFrame, {40, 16, 89, 18}, QStringLiteral("مدة بقاء شاشة التذكير")), "Text2");
    named(label(durationFrame, QStringLiteral(" :   مدة بقاء شاشة التذكير"), {136, 17, 129, 17}, Qt::LeftToRight),
          "Label3");
    QLabel *unitWord = named(label(durationFrame, QStringLiteral("ثانية"), {8, 16, 33, 17}, Qt::RightToLeft), "Label4");
    // The unit word sits in the gap left of its box; centred, it keeps clear
    // of the box's border.
    unitWord->setAlignment(Qt::AlignCenter);

    auto *keyFilter = new KeyFilter(m_messages, this);
    m_intervalBox->installEventFilter(keyFilter);
    m_durationBox->installEventFilter(keyFilter);
}

void MainForm::buildRunFrame()
{
    QGroupBox *runFrame = named(frame(this, {16, 184, 281, 65}), "Frame4");
    m_startButton = named(button(runFrame, QStringLiteral("ابــدأ"), {216, 24, 49, 25}), "Command1");
    TavrelButton *stopButton = named(button(runFrame, QStringLiteral("قــف"), {160, 24, 49, 25}), "Command2");
    m_lamp = named(new Shape(Shape::Kind::Circle, runFrame), "Shape1");
    m_lamp->setGeometry(39, 27, 17, 17);
    m_lamp->setFilled(true);
    m_lamp->setFillColor(LampStopped);
    named(label(runFrame, QStringLiteral("حالة البرنامج :"), {73, 28, 72, 17}, Qt::RightToLeft), "Label5");
    // While paused, until when, under the buttons: on the client itself,
    // which shows screen readers only what is shown.
    m_pauseLine = named(label(this, QString(), {24, 233, 265, 15}, Qt::RightToLeft), "pauseLine");
    m_pauseLine->hide();

    connect(m_startButton, &TavrelButton::clicked, this, &MainForm::startClicked);
    connect(stopButton, &TavrelButton::clicked, this, &MainForm::stopClicked);
}

void MainForm::buildBanner()
{
    auto *banner = named(new QLabel(this), "Image1");
    banner->setGeometry(16, 256, 278, 54);
    banner->setScaledContents(true);
    banner->setPixmap(bannerPicture(banner->devicePixelRatioF()));
    m_strip = named(new MovieStrip(this), "SF1");
    m_strip->setGeometry(16, 256, 281, 54);
    m_strip->setPlayerProgram(PlayerLocation::installedProgramFile(QCoreApplication::applicationDirPath()));
    m_strip->hide();
}

void MainForm::showValues(const Settings::Values &values)
{
    m_intervalBox->setText(values.interval.text());
    m_durationBox->setText(values.duration.text());
    switch (values.unit) {
    case TimeUnit::Seconds: m_seconds->setChecked(true); break;
    case TimeUnit::Minutes: m_minutes->setChecked(true); break;
    case TimeUnit::Hours: m_hours->setChecked(true); break;
    }
}

QString MainForm::intervalText() const
{
    return m_intervalBox->text();
}

QString MainForm::durationText() const
{
    return m_durationBox->text();
}

TimeUnit MainForm::unit() const
{
    return m_minutes->isChecked() ? TimeUnit::Minutes : m_hours->isChecked() ? TimeUnit::Hours : TimeUnit::Seconds;
}

void MainForm::showState(bool running, const QString &pause)
{
    m_unitFrame->setEnabled(!running);
    m_intervalBox->setEnabled(!running);
    m_durationBox->setEnabled(!running);
    // The inputs' focus falls to Start while they are locked: a key there
    // must not restart the running cycle and rewrite its record. The button
    // keeps its look and its mouse click.
    m_startButton->setKeyboardClicks(!running);

    // Red and green are not told apart by every eye: the state in words
    // too, and while paused, until when; a running cycle that is paused has
    // a lamp of its own.
    m_lamp->setFillColor(!running ? LampStopped : pause.isEmpty() ? LampRunning : LampPaused);
    const QString state = running ? RunningText : StoppedText;
    const QString lampText = pause.isEmpty() ? state : state + QStringLiteral("، ") + pause;
    m_lamp->setToolTip(lampText);
    m_lamp->setAccessibleName(lampText);
    m_pauseLine->setText(pause);
    m_pauseLine->setVisible(!pause.isEmpty());
}
