#include "reminder/ReminderCard.h"

#include "controls/ButtonInput.h"
#include "controls/Label.h"
#include "controls/Shape.h"
#include "controls/TavrelButtonV2.h"
#include "controls/WindowLook.h"
#include "core/Catalogue.h"
#include "core/ExtraTimer.h"
#include "core/NumericValue.h"
#include "core/Rounding.h"
#include "core/Twips.h"
#include "platform/Platform.h"
#include "reminder/Backgrounds.h"
#include "reminder/MainWindowFields.h"
#include "reminder/TextFit.h"
#include "resources/Artwork.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <limits>
#include <utility>

namespace {

constexpr OleColor kWhite = 0xFFFFFF;

ButtonDescription closeButton()
{
    return {.caption = QStringLiteral("X"),
            .backColor = 0xFF0000,
            .foreColor = 0xC0FFFF,
            .focusColor = 0xE10000,
            .lightColor = 0x0000FF,
            .backStyle = ButtonDescription::BackStyle::Flat};
}

} // namespace

ReminderCard::ReminderCard(MainWindowFields &form2)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
    , m_form2(form2)
{
    setObjectName(QStringLiteral("Form1"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QStringLiteral("Murel"));
    // The card, the main window and the message boxes share the program's
    // name; the role tells them apart.
    setWindowRole(QStringLiteral("murel-card"));
    // The main window's icon, shared: an icon made afresh for every card
    // costs its pictures again in the pixmap cache each time.
    setWindowIcon(m_form2.mainWindow().windowIcon());
    setProperty("ScaleUnits", QStringLiteral("Twip"));
    build();
    load();
}

ReminderCard::~ReminderCard() = default;

void ReminderCard::build()
{
    // Created bottom of the stacking order first.
    Image1 = new QLabel(this);
    Image1->setGeometry(twipsRect(0, 0, 3540, 2775));
    Image1->setScaledContents(true);
    Image1->setPixmap(backgroundPicture(1));

    Shape1 = new Shape(Shape::Kind::Rectangle, this);
    Shape1->setGeometry(twipsRect(120, 120, 3255, 2295));
    Shape1->setBorderColor(0xFF8080);
    Shape1->hide();

    // Read left to right, set against the right edge, wrapped between words;
    // a text too long for the area is set smaller (see load).
    Label1 = new Label(QString(), Qt::LeftToRight, this);
    Label1->setGeometry(twipsRect(240, 240, 3015, 2175));
    Label1->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignTop);
    Label1->setWordWrap(true);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(13.5);
    font.setWeight(QFont::Normal);
    Label1->setFont(font);
    setTextColor(*Label1, toQColor(kWhite));

    Text3 = new QLineEdit(QStringLiteral("Text1"), this);
    Text3->setGeometry(twipsRect(1560, 3000, 1695, 285));
    Text3->hide();

    TavrelButtonV21 = new TavrelButtonV2(this);
    TavrelButtonV21->setDescription(closeButton());
    TavrelButtonV21->setGeometry(twipsRect(0, 0, 255, 255));
    connect(TavrelButtonV21, &TavrelButtonV2::clicked, this, &ReminderCard::closeAndRearm);
    // While the card slides, the X moves several pixels a frame: a press
    // on it that the slide carried away from the pointer closes the card
    // when it is let go, wherever the pointer is by then.
    connect(TavrelButtonV21, &TavrelButtonV2::mouseDown, this, [this](int button, int, float, float) {
        m_closeHeld = button == MouseCode::Left;
        m_closeMoved = false;
    });
    connect(TavrelButtonV21, &TavrelButtonV2::mouseUp, this, [this](int button, int, float, float) {
        if (button != MouseCode::Left || !std::exchange(m_closeHeld, false))
            return;
        if (m_closeMoved)
            closeAndRearm();
    });

    Timer2 = new ExtraTimer(m_form2.clock(), this);
    connect(Timer2, &ExtraTimer::elapsed, this, &ReminderCard::countdownElapsed);
    Timer3 = new QTimer(this);
    Timer3->setInterval(TickMs);
    connect(Timer3, &QTimer::timeout, this, &ReminderCard::slideDownTick);
    Timer1 = new QTimer(this);
    Timer1->setInterval(TickMs);
    connect(Timer1, &QTimer::timeout, this, &ReminderCard::slideUpTick);
}

void ReminderCard::load()
{
    applyBackground();

    const QString fontName = m_form2.Text4->text();
    if (!fontName.isEmpty()) {
        QFont font = Label1->font();
        font.setFamily(fontName);
        Label1->setFont(font);
    }

    m_form2.platform().setTopMost(*this, true);

    // The field may hold anything a damaged record left: a negative count
    // is no countdown at all, a huge one the longest the timer counts.
    const std::int64_t seconds = roundHalfEven(numericValue(m_form2.Text2->text()));
    m_displaySeconds = int(std::clamp<std::int64_t>(seconds, 0, std::numeric_limits<int>::max()));
    Timer2->setInterval(m_displaySeconds);

    m_twips.height = 0;
    placeOnScreen();
    // Panels come and go, and screens with them: the card follows.
    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, &ReminderCard::followScreen);
    m_form2.platform().watchWorkArea(*this, [this] { placeOnScreen(); });
    followScreen();
    Timer1->start();

    const Catalogue catalogue;
    Text3->setText(QString::number(Catalogue::pick(Catalogue::seedFromClock())));
    if (const auto text = catalogue.lookUp(Text3->text())) {
        // A verse is not cut: a long one is set a little smaller instead.
        QFont font = Label1->font();
        font.setPointSizeF(TextFit::fittedPointSize(font, *text, Label1->contentsRect().size()));
        Label1->setFont(font);
        Label1->setText(*text);
        // Read out as it appears.
        setAccessibleName(*text);
    }
}

void ReminderCard::followScreen()
{
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        connect(screen, &QScreen::availableGeometryChanged, this, &ReminderCard::placeOnScreen, Qt::UniqueConnection);
        connect(screen, &QScreen::geometryChanged, this, &ReminderCard::placeOnScreen, Qt::UniqueConnection);
    }
    placeOnScreen();
}

void ReminderCard::placeOnScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect geometry = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    QRect available = screen ? screen->availableGeometry() : geometry;
    // With several monitors the toolkit leaves the panels out of it; the
    // window manager's work area still knows them.
    const QRect workArea = m_form2.platform().workArea();
    if (workArea.intersects(available))
        available &= workArea;
    // The height is the slide's own; only the corner moves.
    m_twips = CardGeometry::place(geometry, available, m_twips.height);
    applyGeometry();
}

void ReminderCard::applyBackground()
{
    const BackgroundLook look = backgroundLook(numericValue(m_form2.Text5->text()));
    if (look.picture != 0)
        Image1->setPixmap(backgroundPicture(look.picture));
    if (look.textColor)
        setTextColor(*Label1, toQColor(*look.textColor));
    Shape1->setVisible(look.frame);
}

void ReminderCard::showCard()
{
    m_wantShown = true;
    applyGeometry();
}

void ReminderCard::applyGeometry()
{
    const QRect r = CardGeometry::toPixels(m_twips);
    // A window cannot be mapped with no height: it appears with the first
    // slide step and goes with the last.
    if (r.height() <= 0) {
        if (isVisible())
            hide();
        return;
    }
    if (m_closeHeld && r != geometry())
        m_closeMoved = true;
    setGeometry(r);
    if (m_wantShown && !isVisible() && !m_unloading)
        show();
}

void ReminderCard::slideUpTick()
{
    const bool up = CardGeometry::slideUp(m_twips);
    applyGeometry();
    if (up)
        Timer1->stop();
    // A countdown of nothing never elapses (a first run's card, before its
    // duration is filled in): that card stays until its "X".
    if (m_displaySeconds > 0)
        Timer2->setEnabled(true);
}

void ReminderCard::countdownElapsed()
{
    Timer3->start();
    Timer2->setEnabled(false);
}

void ReminderCard::slideDownTick()
{
    const bool gone = CardGeometry::slideDown(m_twips);
    applyGeometry();
    if (gone) {
        Timer3->stop();
        closeAndRearm();
    }
}

void ReminderCard::closeAndRearm()
{
    if (m_unloading)
        return;
    m_form2.Timer1->setEnabled(true);
    unload();
}

void ReminderCard::unload()
{
    if (m_unloading)
        return;
    m_unloading = true;
    Timer1->stop();
    Timer2->setEnabled(false);
    Timer3->stop();
    hide();
    deleteLater();
}

void ReminderCard::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_form2.platform().markAsNotice(*this);
    // A screen reader reads the text out as the card comes up.
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

void ReminderCard::closeEvent(QCloseEvent *event)
{
    // Closed from outside (a window manager's close): as the "X" does.
    event->ignore();
    closeAndRearm();
}
