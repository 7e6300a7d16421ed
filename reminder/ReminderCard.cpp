#include "reminder/ReminderCard.h"

#include "controls/ButtonInput.h"
#include "controls/Label.h"
#include "controls/Shape.h"
#include "controls/TavrelButtonV2.h"
#include "controls/WindowLook.h"
#include "core/card/Twips.h"
#include "core/cycle/ExtraTimer.h"
#include "platform/Platform.h"
#include "reminder/Backgrounds.h"
#include "reminder/CardFrame.h"
#include "reminder/CardText.h"
#include "reminder/TextFit.h"
#include "resources/Artwork.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QTimer>

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

ReminderCard::ReminderCard(const CardContent &content, Clock &clock, Platform &platform, const QIcon &icon)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
    , m_platform(platform)
    , m_screen(content.screen)
{
    setObjectName(QStringLiteral("Form1"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QStringLiteral("Murel"));
    // The card, the main window and the message boxes share the program's
    // name; the role tells them apart.
    setWindowRole(QStringLiteral("murel-card"));
    // The main window's icon, shared: an icon made afresh for every card
    // costs its pictures again in the pixmap cache each time.
    setWindowIcon(icon);
    setProperty("ScaleUnits", QStringLiteral("Twip"));
    m_countdown = new ExtraTimer(clock, this);
    m_corner = content.corner;
    m_percent = percentFor(content);
    build();
    load(content);
}

ReminderCard::~ReminderCard() = default;

void ReminderCard::build()
{
    // Created bottom of the stacking order first.
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("Image1"));
    // The picture covers the card to its last pixel at the height the slide
    // up ends on: the form's own picture box, a few twips short of the
    // window on the right and at the bottom, left a strip of bare window
    // there.
    m_picture->setGeometry(QRect(0, 0, twipsToPixels(scaledTwips(CardGeometry::WidthTwips, m_percent)),
                                 twipsToPixels(CardGeometry::fullHeight(m_percent))));
    m_picture->setScaledContents(true);
    m_picture->setPixmap(backgroundPicture(1, pictureRatio()));

    m_frame = addCardFrame(this, m_percent);
    m_frame->setObjectName(QStringLiteral("Shape1"));
    m_frame->hide();

    // Read left to right, set against the right edge, wrapped between words;
    // a text too long for the area is set smaller (see load).
    m_text = new Label(QString(), Qt::LeftToRight, this);
    m_text->setObjectName(QStringLiteral("Label1"));
    m_text->setGeometry(CardText::area(m_percent));
    m_text->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignTop);
    m_text->setWordWrap(true);
    m_text->setFont(CardText::font(QString(), m_percent));
    setTextColor(*m_text, toQColor(kWhite));

    m_close = new TavrelButtonV2(this);
    m_close->setObjectName(QStringLiteral("TavrelButtonV21"));
    m_close->setDescription(closeButton());
    m_close->setGeometry(scaledTwipsRect(0, 0, 255, 255, m_percent));
    QFont closeFont = m_close->font();
    if (closeFont.pointSizeF() > 0) {
        closeFont.setPointSizeF(closeFont.pointSizeF() * m_percent / 100.0);
        m_close->setFont(closeFont);
    }
    // Read by what it does: its caption is only the letter X.
    m_close->setAccessibleName(QStringLiteral("إغلاق"));
    connect(m_close, &TavrelButtonV2::clicked, this, &ReminderCard::closeByItself);
    // While the card slides, the X moves several pixels a frame: a press
    // on it that the slide carried away from the pointer closes the card
    // when it is let go, wherever the pointer is by then.
    connect(m_close, &TavrelButtonV2::mouseDown, this, [this](int button, int, float, float) {
        m_closeHeld = button == MouseCode::Left;
        m_closeMoved = false;
    });
    connect(m_close, &TavrelButtonV2::mouseUp, this, [this](int button, int, float, float) {
        if (button != MouseCode::Left || !std::exchange(m_closeHeld, false))
            return;
        if (m_closeMoved)
            closeByItself();
    });

    m_countdown->setObjectName(QStringLiteral("Timer2"));
    connect(m_countdown, &ExtraTimer::elapsed, this, &ReminderCard::countdownElapsed);
    m_slideDown = new QTimer(this);
    m_slideDown->setObjectName(QStringLiteral("Timer3"));
    m_slideDown->setInterval(TickMs);
    connect(m_slideDown, &QTimer::timeout, this, &ReminderCard::slideDownTick);
    m_slideUp = new QTimer(this);
    m_slideUp->setObjectName(QStringLiteral("Timer1"));
    m_slideUp->setInterval(TickMs);
    connect(m_slideUp, &QTimer::timeout, this, &ReminderCard::slideUpTick);
}

void ReminderCard::load(const CardContent &content)
{
    applyBackground(content.picture);

    if (!content.fontName.isEmpty())
        m_text->setFont(CardText::font(content.fontName, m_percent));

    m_platform.setTopMost(*this, true);

    m_displaySeconds = content.displaySeconds;
    m_countdown->setInterval(m_displaySeconds);

    m_twips.height = 0;
    placeOnScreen();
    // Panels come and go, and screens with them: the card follows.
    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, &ReminderCard::followScreen);
    m_platform.watchWorkArea(*this, [this] { placeOnScreen(); });
    followScreen();
    m_slideUp->start();

    if (content.sequenceCount > 1)
        showSequence(content.sequencePosition, content.sequenceCount);

    m_textIndex = content.textIndex;
    const QString &text = content.text;
    if (!text.isEmpty()) {
        // A verse is not cut: a long one is set a little smaller instead.
        QFont font = m_text->font();
        font.setPointSizeF(TextFit::fittedPointSize(font, text, m_text->contentsRect().size()));
        m_text->setFont(font);
        m_text->setText(text);
        // Read out as it appears.
        setAccessibleName(text);
    }
}

// Where a timed reminder's card stands in its sequence: small, in the
// strip below the text, at the end of the line the text reads from. Only
// such a card has it, so no other offers screen readers an empty label.
void ReminderCard::showSequence(int position, int count)
{
    const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
    const QString at = arabic.toString(position);
    const QString of = arabic.toString(count);
    m_sequence = new QLabel(at + QStringLiteral(" / ") + of, this);
    m_sequence->setObjectName(QStringLiteral("sequenceCount"));
    m_sequence->setAccessibleName(at + QStringLiteral(" من ") + of);
    m_sequence->setGeometry(scaledTwipsRect(240, 2430, 900, 260, m_percent));
    m_sequence->setAlignment(Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter);
    m_sequence->setLayoutDirection(Qt::RightToLeft);
    QFont font = CardText::font(QString(), m_percent);
    font.setPointSizeF(font.pointSizeF() * 0.7);
    m_sequence->setFont(font);
    setTextColor(*m_sequence, toQColor(kWhite));
    // Below the X in the stacking order, as it would have been built.
    m_sequence->stackUnder(m_close);
}

QScreen *ReminderCard::targetScreen() const
{
    return m_screen ? m_screen.data() : QGuiApplication::primaryScreen();
}

void ReminderCard::followScreen()
{
    if (QScreen *screen = targetScreen()) {
        connect(screen, &QScreen::availableGeometryChanged, this, &ReminderCard::placeOnScreen, Qt::UniqueConnection);
        connect(screen, &QScreen::geometryChanged, this, &ReminderCard::placeOnScreen, Qt::UniqueConnection);
    }
    placeOnScreen();
}

QRect ReminderCard::screenGeometry() const
{
    const QScreen *screen = targetScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

QRect ReminderCard::availableArea(const QRect &geometry) const
{
    const QScreen *screen = targetScreen();
    QRect available = screen ? screen->availableGeometry() : geometry;
    // With several monitors the toolkit leaves the panels out of it; the
    // window manager's work area still knows them.
    const QRect workArea = m_platform.workArea();
    if (workArea.intersects(available))
        available &= workArea;
    return available;
}

int ReminderCard::percentFor(const CardContent &content) const
{
    // Decided once: a card that changed its size while up would reflow its
    // text under the reader's eyes.
    const int wanted = CardText::fittingPercent(content.text, content.fontName, CardGeometry::percent(content.size));
    const QRect geometry = screenGeometry();
    return CardGeometry::fittingPercent(availableArea(geometry).intersected(geometry), wanted);
}

qreal ReminderCard::pictureRatio() const
{
    // A larger card draws its picture from more pixels, as a sharper screen
    // does.
    return devicePixelRatioF() * m_percent / 100.0;
}

void ReminderCard::placeOnScreen()
{
    const QRect geometry = screenGeometry();
    // The height is the slide's own; only the corner moves.
    m_twips = CardGeometry::place(geometry, availableArea(geometry), m_twips.height, m_corner, m_percent);
    applyGeometry();
}

void ReminderCard::applyBackground(std::optional<int> picture)
{
    // No picture chosen: the card as it was drawn, its own picture with
    // white text and no frame.
    const BackgroundLook look = picture ? backgroundLook(*picture) : BackgroundLook{};
    if (look.picture != 0)
        m_picture->setPixmap(backgroundPicture(look.picture, pictureRatio()));
    if (look.textColor)
        setTextColor(*m_text, toQColor(*look.textColor));
    m_frame->setVisible(look.frame);
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
        m_slideUp->stop();
    // A countdown of nothing never elapses (a first run's card, before its
    // duration is filled in): that card stays until its "X".
    if (m_displaySeconds > 0)
        m_countdown->setEnabled(true);
}

void ReminderCard::countdownElapsed()
{
    m_slideDown->start();
    m_countdown->setEnabled(false);
}

void ReminderCard::slideDownTick()
{
    const bool gone = CardGeometry::slideDown(m_twips);
    applyGeometry();
    if (gone) {
        m_slideDown->stop();
        closeByItself();
    }
}

void ReminderCard::closeByItself()
{
    if (m_unloading)
        return;
    unload();
    Q_EMIT closed();
}

void ReminderCard::unload()
{
    if (m_unloading)
        return;
    m_unloading = true;
    m_slideUp->stop();
    m_countdown->setEnabled(false);
    m_slideDown->stop();
    hide();
    deleteLater();
}

void ReminderCard::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_platform.markAsNotice(*this);
    // A screen reader reads the text out as the card comes up. On Linux the
    // toolkit's own show event does it (the card is a notification, see
    // CardAccessible); elsewhere the alert does.
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

void ReminderCard::closeEvent(QCloseEvent *event)
{
    // Closed from outside (a window manager's close): as the "X" does.
    event->ignore();
    closeByItself();
}
