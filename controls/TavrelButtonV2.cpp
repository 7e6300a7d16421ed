#include "controls/TavrelButtonV2.h"

#include "controls/ButtonInput.h"
#include "core/settings/Rounding.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr quint32 kDisabledGrey = 0x828282;

QString holderScaleUnits(const QWidget *control)
{
    for (const QWidget *w = control->parentWidget(); w; w = w->parentWidget()) {
        const QVariant units = w->property("ScaleUnits");
        if (units.isValid())
            return units.toString();
    }
    return QString();
}

} // namespace

TavrelButtonV2::TavrelButtonV2(QWidget *parent)
    : ButtonBase(OleColors::ButtonFace, parent)
{
    m_img = new QLabel(this);
    m_img->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_img->hide();
    m_hoverTimer.setInterval(HoverPollMs);
    connect(&m_hoverTimer, &QTimer::timeout, this, &TavrelButtonV2::pollHover);
}

TavrelButtonV2::~TavrelButtonV2() = default;

void TavrelButtonV2::setBackColor(OleColor color)
{
    m_focusColor = shadeColor(resolveColor(color, palette()), 30);
    notify(QStringLiteral("FocusColor"));
    ButtonBase::setBackColor(color);
}

void TavrelButtonV2::setPictureAlignment(int alignment)
{
    m_pictureAlignment = alignment;
    notify(QStringLiteral("PictureAlignment"));
    redraw();
}

void TavrelButtonV2::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    m_img->setPixmap(picture);
    m_img->resize(picture.size());
    m_img->setVisible(!picture.isNull());
    notify(QStringLiteral("Picture"));
    redraw();
}

void TavrelButtonV2::setLeftMargin(qint16 margin)
{
    m_leftMargin = margin;
    notify(QStringLiteral("LeftMargin"));
    redraw();
}

void TavrelButtonV2::setRightMargin(qint16 margin)
{
    m_rightMargin = margin;
    notify(QStringLiteral("RightMargin"));
    redraw();
}

void TavrelButtonV2::setTopMargin(qint16 margin)
{
    m_topMargin = margin;
    notify(QStringLiteral("TopMargin"));
    redraw();
}

void TavrelButtonV2::setLightColor(OleColor color)
{
    m_lightColor = color;
    notify(QStringLiteral("LightColor"));
    redraw();
}

void TavrelButtonV2::setUseLightColor(bool use)
{
    m_useLightColor = use;
    notify(QStringLiteral("UseLightColor"));
    redraw();
}

void TavrelButtonV2::setBackStyle(int style)
{
    m_backStyle = style;
    notify(QStringLiteral("BackStyle"));
    redraw();
}

void TavrelButtonV2::setDisplayAsDefault(bool isDefault)
{
    setProperty("DisplayAsDefault", isDefault);
    ambientChanged(QStringLiteral("DisplayAsDefault"));
}

void TavrelButtonV2::ambientChanged(const QString &name)
{
    if (name == QLatin1String("ScaleUnits"))
        m_containerScaleMode = scaleModeFromUnits(holderScaleUnits(this));
    m_isDefault = property("DisplayAsDefault").toBool();
    redraw();
}

void TavrelButtonV2::setUserMode(bool userMode)
{
    m_userMode = userMode;
    if (!userMode)
        m_hoverTimer.stop();
    else if (isVisible())
        m_hoverTimer.start();
}

int TavrelButtonV2::scaleModeFromUnits(const QString &units)
{
    static const char *const names[] = {"User",      "Twip", "Point",      "Pixel",
                                        "Character", "Inch", "Millimeter", "Centimeter"};
    for (int i = 0; i < 8; ++i) {
        if (units == QLatin1String(names[i]))
            return i;
    }
    return 0;
}

double TavrelButtonV2::fromPixels(double pixels, int scaleMode, bool horizontal)
{
    switch (scaleMode) {
    case 1: return pixels * 15.0;
    case 2: return pixels * 0.75;
    case 4: return pixels * 15.0 / (horizontal ? 120.0 : 240.0);
    case 5: return pixels / 96.0;
    case 6: return pixels * 25.4 / 96.0;
    case 7: return pixels * 2.54 / 96.0;
    default: return pixels; // pixels, or a user scale this control cannot know
    }
}

QPointF TavrelButtonV2::toContainer(const QPointF &pixels) const
{
    return {fromPixels(pixels.x(), m_containerScaleMode, true), fromPixels(pixels.y(), m_containerScaleMode, false)};
}

QPoint TavrelButtonV2::picturePosition() const
{
    return m_img->pos();
}

void TavrelButtonV2::writeProperties(PropertyStore &store) const
{
    store.write(QStringLiteral("BackColor"), m_backColor, OleColors::ButtonFace);
    store.write(QStringLiteral("ForeColor"), m_foreColor, OleColors::ButtonText);
    store.write(QStringLiteral("Enabled"), ownEnabled(), true);
    store.write(QStringLiteral("Font"), font(), ambientFontOf(this));
    store.write(QStringLiteral("Caption"), m_caption, DefaultCaption);
    store.write(QStringLiteral("MouseIcon"), pictureValue(m_mouseIcon), QVariant());
    store.write(QStringLiteral("MousePointer"), int(m_mousePointer), 0);
    store.write(QStringLiteral("FocusColor"), m_focusColor, OleColors::ButtonFace);
    store.write(QStringLiteral("PictureAlignment"), m_pictureAlignment, 0);
    store.write(QStringLiteral("Picture"), pictureValue(m_picture), QVariant());
    store.write(QStringLiteral("LeftMargin"), int(m_leftMargin), 10);
    store.write(QStringLiteral("RightMargin"), int(m_rightMargin), 10);
    store.write(QStringLiteral("TopMargin"), int(m_topMargin), 10);
    store.write(QStringLiteral("LightColor"), m_lightColor, 0xFFFFFFu);
    store.write(QStringLiteral("UseLightColor"), m_useLightColor, true);
    store.write(QStringLiteral("BackStyle"), m_backStyle, 0);
}

void TavrelButtonV2::readProperties(const PropertyStore &store)
{
    // Placed directly, without notification or repaint (and without working
    // out a focus colour from the background); the two pictures go through
    // their properties.
    beginLoading();
    m_backColor = store.read(QStringLiteral("BackColor"), OleColors::ButtonFace).toUInt();
    m_foreColor = store.read(QStringLiteral("ForeColor"), OleColors::ButtonText).toUInt();
    setEnabled(store.read(QStringLiteral("Enabled"), true).toBool());
    setFont(store.read(QStringLiteral("Font"), ambientFontOf(this)).value<QFont>());
    m_caption = store.read(QStringLiteral("Caption"), DefaultCaption).toString();
    endLoading();
    setMouseIcon(store.read(QStringLiteral("MouseIcon"), QVariant()).value<QPixmap>());
    beginLoading();
    m_mousePointer = qint16(store.read(QStringLiteral("MousePointer"), 0).toInt());
    applyCursor();
    m_focusColor = store.read(QStringLiteral("FocusColor"), OleColors::ButtonFace).toUInt();
    m_pictureAlignment = store.read(QStringLiteral("PictureAlignment"), 0).toInt();
    endLoading();
    setPicture(store.read(QStringLiteral("Picture"), QVariant()).value<QPixmap>());
    beginLoading();
    m_leftMargin = qint16(store.read(QStringLiteral("LeftMargin"), 10).toInt());
    m_rightMargin = qint16(store.read(QStringLiteral("RightMargin"), 10).toInt());
    m_topMargin = qint16(store.read(QStringLiteral("TopMargin"), 10).toInt());
    m_lightColor = store.read(QStringLiteral("LightColor"), 0xFFFFFFu).toUInt();
    m_useLightColor = store.read(QStringLiteral("UseLightColor"), true).toBool();
    m_backStyle = store.read(QStringLiteral("BackStyle"), 0).toInt();
    endLoading();
}

void TavrelButtonV2::paintContent(QPainter &p)
{
    const quint32 back = resolveColor(m_backColor, palette());
    paintFace(p, m_rightEdge, m_bottomEdge, faceColors(back, m_drawState, m_bottomEdge, -35), m_backStyle == 0);
    // Black when the window calls this its default button, grey otherwise.
    paintOutline(p, m_isDefault ? OleColors::Black : OutlineGrey);
    layoutPicture();
    drawCaption(p, m_drawState);
    if (m_hasFocus)
        paintRoundedOutline(p, 3, 3, m_rightEdge - 4, m_bottomEdge - 4,
                            toQColor(resolveColor(m_focusColor, palette())));
}

void TavrelButtonV2::layoutPicture()
{
    const int W = m_rightEdge;
    const int H = m_bottomEdge;
    if (m_picture.isNull()) {
        m_textLeft = 2;
        m_textTop = 2;
        m_textRight = W - 2;
        m_textBottom = H - 2;
        return;
    }
    const int pw = m_picture.width();
    const int ph = m_picture.height();
    const int off = m_drawState == ButtonLook::Pressed ? 1 : 0;
    m_textBottom = H - 2;
    int left = 0;
    int top = 0;
    switch (m_pictureAlignment) {
    case PictureLeft:
        left = m_leftMargin;
        top = (H - ph) / 2;
        m_textLeft = m_leftMargin + pw + 2;
        m_textTop = 2;
        m_textRight = W - 2;
        break;
    case PictureRight:
        left = W - m_rightMargin - pw;
        top = (H - ph) / 2;
        m_textLeft = 2;
        m_textTop = 2;
        m_textRight = left - 2;
        break;
    case PictureTop:
        left = (W - pw) / 2;
        top = m_topMargin;
        m_textLeft = 2;
        m_textTop = m_topMargin + 2 + ph;
        m_textRight = W - 2;
        break;
    default: break;
    }
    m_img->move(left + off, top + off);
}

void TavrelButtonV2::drawCaption(QPainter &p, ButtonLook state)
{
    const QFontMetrics fm(font());
    const int tw = qint16(fm.horizontalAdvance(m_caption));
    const int th = qint16(fm.height());
    const int off = state == ButtonLook::Pressed ? 1 : 0;
    const int x = qint16(m_textLeft + (m_textRight - m_textLeft - tw) / 2 + off);
    const int y = qint16(m_textTop + (m_textBottom - m_textTop - th) / 2 + off);
    const QPalette &pal = palette();
    p.setFont(font());
    // One line at (x, y) as its top-left corner; "&" is an ordinary character.
    auto print = [&](int px, int py, quint32 ole) {
        p.setPen(toQColor(resolveColor(ole, pal)));
        p.drawText(QPoint(px, py + fm.ascent()), m_caption);
    };
    if (!isEnabled()) {
        print(x + 1, y + 1, 0xFFFFFF);
        print(x, y, kDisabledGrey);
        return;
    }
    if (!m_useLightColor) {
        print(x, y, m_foreColor);
        return;
    }
    // A one-pixel halo: light around the text colour in the normal look,
    // the other way round when hot or pressed.
    const bool normal = state == ButtonLook::Normal;
    const OleColor haloColour = normal ? m_lightColor : m_foreColor;
    const OleColor textColour = normal ? m_foreColor : m_lightColor;
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            print(x + dx, y + dy, haloColour);
    print(x, y, textColour);
}

void TavrelButtonV2::pollHover()
{
    if (!m_userMode)
        return;
    const QWidget *under = QApplication::widgetAt(QCursor::pos());
    const bool over = under == this || under == m_img;
    if (!over && m_drawState == ButtonLook::Hot) {
        m_drawState = ButtonLook::Normal;
        redraw();
    } else if (over && m_drawState != ButtonLook::Hot) {
        m_drawState = ButtonLook::Hot;
        redraw();
    }
    // With the pointer elsewhere and the normal look drawn, no tick can
    // change anything until the pointer comes back, and its coming back
    // raises Enter. A card left on screen for hours then costs nothing.
    if (!over && m_drawState == ButtonLook::Normal)
        m_hoverTimer.stop();
}

void TavrelButtonV2::showEvent(QShowEvent *event)
{
    ButtonBase::showEvent(event);
    updateEdges();
    m_containerScaleMode = scaleModeFromUnits(holderScaleUnits(this));
    redraw();
    if (m_userMode)
        m_hoverTimer.start();
}

void TavrelButtonV2::hideEvent(QHideEvent *event)
{
    // Nothing to poll for while nobody can point at it.
    m_hoverTimer.stop();
    ButtonBase::hideEvent(event);
}

void TavrelButtonV2::enterEvent(QEnterEvent *event)
{
    ButtonBase::enterEvent(event);
    // A held button keeps its pressed look: the release restarts the poll.
    if (m_userMode && m_drawState != ButtonLook::Pressed && !m_hoverTimer.isActive()) {
        m_hoverTimer.start();
        pollHover();
    }
}

void TavrelButtonV2::keyPressEvent(QKeyEvent *event)
{
    int keyCode = keyCodeFor(event->key());
    int shift = shiftMask(event->modifiers());
    Q_EMIT keyDown(keyCode, shift);
    if (keyCode == 13 && !event->isAutoRepeat())
        click();
    if (event->key() == Qt::Key_Space)
        m_spaceDown = true;
    if (!event->text().isEmpty()) {
        int ascii = event->text().at(0).unicode();
        Q_EMIT keyPress(ascii);
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        event->accept();
    else
        ButtonBase::keyPressEvent(event);
}

void TavrelButtonV2::keyReleaseEvent(QKeyEvent *event)
{
    if (event->isAutoRepeat()) {
        event->accept();
        return;
    }
    int keyCode = keyCodeFor(event->key());
    int shift = shiftMask(event->modifiers());
    Q_EMIT keyUp(keyCode, shift);
    if (event->key() == Qt::Key_Space && m_spaceDown) {
        m_spaceDown = false;
        click();
        event->accept();
        return;
    }
    ButtonBase::keyReleaseEvent(event);
}

void TavrelButtonV2::focusOutEvent(QFocusEvent *event)
{
    m_spaceDown = false;
    ButtonBase::focusOutEvent(event);
}

void TavrelButtonV2::pressLook(int button, int shift, float x, float y)
{
    m_hoverTimer.stop();
    if (button == MouseCode::Left && m_userMode) {
        m_hasFocus = true;
        m_drawState = ButtonLook::Pressed;
        redraw();
    }
    m_lastButton = button;
    m_lastShift = shift;
    m_lastX = x;
    m_lastY = y;
    const QPointF c = toContainer(QPointF(x, y));
    Q_EMIT mouseDown(button, shift, float(c.x()), float(c.y()));
}

void TavrelButtonV2::mousePressEvent(QMouseEvent *event)
{
    m_swallowRelease = false;
    const QPointF pos = event->position();
    m_pressOnPicture = !m_picture.isNull() && m_img->geometry().contains(pos.toPoint());
    pressLook(buttonMask(event->button()), shiftMask(event->modifiers()), float(pos.x()), float(pos.y()));
}

void TavrelButtonV2::mouseDoubleClickEvent(QMouseEvent *)
{
    // The press of a double click repeats the first press. While the button
    // is held the pointer is ours anyway; an explicit grab would outlive the
    // release, so none is taken.
    pressLook(m_lastButton, m_lastShift, m_lastX, m_lastY);
    m_swallowRelease = true; // the release that follows raises no Click
}

void TavrelButtonV2::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF pos = event->position();
    if (m_userMode) {
        m_drawState = ButtonLook::Hot;
        redraw();
        if (isVisible())
            m_hoverTimer.start();
    }
    const QPointF c = toContainer(pos);
    Q_EMIT mouseUp(buttonMask(event->button()), shiftMask(event->modifiers()), float(c.x()), float(c.y()));
    // The picture clicks with any button, the rest of the face with the
    // left one only.
    const bool onPicture = m_pressOnPicture && !m_picture.isNull() && m_img->geometry().contains(pos.toPoint());
    const bool onFace = m_lastButton == 1 && event->button() == Qt::LeftButton && rect().contains(pos.toPoint());
    const bool click = (onFace || onPicture) && !m_swallowRelease;
    m_swallowRelease = false;
    m_pressOnPicture = false;
    if (click)
        Q_EMIT clicked();
}

void TavrelButtonV2::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF c = toContainer(event->position());
    Q_EMIT mouseMove(buttonMask(event->buttons()), shiftMask(event->modifiers()), float(c.x()), float(c.y()));
}
