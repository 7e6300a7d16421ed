#include "controls/TavrelButton.h"

#include "controls/ButtonInput.h"
#include "core/settings/Rounding.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QShortcutEvent>

TavrelButton::TavrelButton(QWidget *parent)
    : ButtonBase(OleColors::Blue, parent)
{
    updateAccessKey();
}

TavrelButton::~TavrelButton()
{
    releasePointer();
}

void TavrelButton::setShowFocus(int mode)
{
    m_showFocus = mode;
    notify(QStringLiteral("ShowFocus"));
}

void TavrelButton::setCaptionOffsetX(int offset)
{
    m_captionOffsetX = offset;
    redraw();
    notify(QStringLiteral("CaptionOffsetX"));
}

void TavrelButton::setCaptionOffsetY(int offset)
{
    m_captionOffsetY = offset;
    redraw();
    notify(QStringLiteral("CaptionOffsetY"));
}

void TavrelButton::setRightToleft(bool value)
{
    m_rightToleft = value;
    notify(QStringLiteral("RightToleft"));
}

void TavrelButton::refresh()
{
    render();
    repaint();
}

void TavrelButton::writeProperties(PropertyStore &store) const
{
    store.write(QStringLiteral("BackColor"), m_backColor, OleColors::ButtonFace);
    store.write(QStringLiteral("ForeColor"), m_foreColor, OleColors::ButtonText);
    store.write(QStringLiteral("ShowFocus"), m_showFocus, 0);
    store.write(QStringLiteral("Enabled"), ownEnabled(), true);
    store.write(QStringLiteral("Font"), font(), ambientFontOf(this));
    store.write(QStringLiteral("Caption"), m_caption, DefaultCaption);
    store.write(QStringLiteral("CaptionOffsetX"), m_captionOffsetX, 1);
    store.write(QStringLiteral("CaptionOffsetY"), m_captionOffsetY, 0);
    store.write(QStringLiteral("MouseIcon"), pictureValue(m_mouseIcon), QVariant());
    store.write(QStringLiteral("MousePointer"), int(m_mousePointer), 0);
    store.write(QStringLiteral("FocusColor"), m_focusColor, OleColors::Blue);
    store.write(QStringLiteral("RightToLeft"), m_rightToleft, false);
}

void TavrelButton::readProperties(const PropertyStore &store)
{
    // Values are placed directly, without notification or repaint; only the
    // focus mode and the pointer picture go through their properties.
    beginLoading();
    m_backColor = store.read(QStringLiteral("BackColor"), OleColors::ButtonFace).toUInt();
    m_foreColor = store.read(QStringLiteral("ForeColor"), OleColors::ButtonText).toUInt();
    endLoading();
    setShowFocus(store.read(QStringLiteral("ShowFocus"), 0).toInt());
    beginLoading();
    setEnabled(store.read(QStringLiteral("Enabled"), true).toBool());
    setFont(store.read(QStringLiteral("Font"), ambientFontOf(this)).value<QFont>());
    m_caption = store.read(QStringLiteral("Caption"), DefaultCaption).toString();
    m_captionOffsetX = store.read(QStringLiteral("CaptionOffsetX"), 1).toInt();
    m_captionOffsetY = store.read(QStringLiteral("CaptionOffsetY"), 0).toInt();
    endLoading();
    setMouseIcon(store.read(QStringLiteral("MouseIcon"), QVariant()).value<QPixmap>());
    beginLoading();
    m_mousePointer = qint16(store.read(QStringLiteral("MousePointer"), 0).toInt());
    applyCursor();
    m_focusColor = store.read(QStringLiteral("FocusColor"), OleColors::Blue).toUInt();
    m_rightToleft = store.read(QStringLiteral("RightToLeft"), false).toBool();
    endLoading();
    updateAccessKey();
}

void TavrelButton::paintContent(QPainter &p)
{
    const quint32 back = resolveColor(m_backColor, palette());
    paintFace(p, m_rightEdge, m_bottomEdge, faceColors(back, m_drawState, m_bottomEdge));
    paintOutline(p, OleColors::Black);
    drawCaption(p, m_drawState);
    if (m_hasFocus)
        drawFocusMark(p);
}

void TavrelButton::drawCaption(QPainter &p, ButtonLook state)
{
    updateAccessKey();
    QString plain = m_caption;
    plain.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    const QFontMetrics fm(font());
    // Measured as the platform's centred, word-wrapping layout would: the
    // block between the offsets and the right edge, less a character's
    // width of margin on each side.
    const int wrapWidth = qMax(1, m_rightEdge - m_captionOffsetX - 2 * fm.averageCharWidth());
    const QRect measured = plain.isEmpty()
        ? QRect(0, 0, 0, fm.height())
        : fm.boundingRect(QRect(0, 0, wrapWidth, 32767), Qt::TextWordWrap | Qt::AlignHCenter, plain);
    const int tw = qint16(measured.width());
    const int th = qint16(measured.height());
    const int off = state == ButtonLook::Pressed ? 1 : 0;
    const int x = m_captionOffsetX + (m_rightEdge - tw - 1) / 2 + off;
    const int y = m_captionOffsetY + (m_bottomEdge - th - 1) / 2 + off;

    const QRect line(x, y, qMax(tw, fm.horizontalAdvance(plain)) + 2, fm.height());
    const int flags = Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic;
    p.setFont(font());
    const QPalette &pal = palette();
    if (isEnabled()) {
        p.setPen(toQColor(resolveColor(m_foreColor, pal)));
        p.drawText(line, flags, m_caption);
    } else {
        // The platform's embossed look: a highlight one pixel down and right,
        // the shadow colour on top.
        p.setPen(toQColor(resolveColor(OleColors::ButtonHighlight, pal)));
        p.drawText(line.translated(1, 1), flags, m_caption);
        p.setPen(toQColor(resolveColor(OleColors::ButtonShadow, pal)));
        p.drawText(line, flags, m_caption);
    }
}

void TavrelButton::drawFocusMark(QPainter &p)
{
    const QPalette &pal = palette();
    // Without a mark of its own, a focus that came from the keyboard gets
    // the dotted one.
    const int mode = m_showFocus != 0 ? m_showFocus : (m_keyboardFocus ? 1 : 0);
    if (mode == 2) {
        // (3, 3)-(W - 3, H - 3) without its right column and bottom row:
        // inside the inner shadow.
        paintRoundedOutline(p, 3, 3, m_rightEdge - 4, m_bottomEdge - 4, toQColor(resolveColor(m_focusColor, pal)));
    } else if (mode == 1) {
        const int left = 5;
        const int top = 5;
        const int right = int(roundHalfEven(double(width()) - 5.0)) - 1;
        const int bottom = int(roundHalfEven(double(height()) - 5.0)) - 1;
        const QColor c = toQColor(resolveColor(m_foreColor, pal));
        for (int x = left; x <= right; x += 2) {
            p.fillRect(QRect(x, top, 1, 1), c);
            p.fillRect(QRect(x, bottom, 1, 1), c);
        }
        for (int y = top; y <= bottom; y += 2) {
            p.fillRect(QRect(left, y, 1, 1), c);
            p.fillRect(QRect(right, y, 1, 1), c);
        }
    }
}

void TavrelButton::updateAccessKey()
{
    QChar key;
    const qsizetype amp = m_caption.indexOf(QLatin1Char('&'));
    if (amp >= 0 && amp + 1 < m_caption.size())
        key = m_caption.at(amp + 1);
    else if (amp < 0 && !m_caption.isEmpty())
        key = m_caption.at(0);
    if (key == m_accessKey && (m_shortcutId != 0 || key.isNull()))
        return;
    if (m_shortcutId != 0) {
        releaseShortcut(m_shortcutId);
        m_shortcutId = 0;
    }
    m_accessKey = key;
    if (!key.isNull())
        m_shortcutId = grabShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(key.toUpper().unicode()))));
}

void TavrelButton::showEvent(QShowEvent *event)
{
    ButtonBase::showEvent(event);
    updateEdges();
    redraw();
}

void TavrelButton::hideEvent(QHideEvent *event)
{
    releasePointer();
    ButtonBase::hideEvent(event);
}

void TavrelButton::focusOutEvent(QFocusEvent *event)
{
    // A Space held while the focus goes is let go: the normal look returns.
    if (m_spaceDown) {
        m_drawState = ButtonLook::Normal;
        m_spaceDown = false;
    }
    ButtonBase::focusOutEvent(event);
}

void TavrelButton::keyPressEvent(QKeyEvent *event)
{
    // A Space that will not click does not press the button's look either.
    if (event->key() == Qt::Key_Space && isEnabled() && keyboardClicks()) {
        m_spaceDown = true;
        m_drawState = ButtonLook::Pressed;
        redraw();
    }
    Q_EMIT keyDown(keyCodeFor(event->key()), shiftMask(event->modifiers()));
    if (!event->text().isEmpty())
        Q_EMIT keyPress(event->text().at(0).unicode());
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !event->isAutoRepeat())
        click();
    if (event->key() == Qt::Key_Space || enter)
        event->accept();
    else
        ButtonBase::keyPressEvent(event);
}

void TavrelButton::keyReleaseEvent(QKeyEvent *event)
{
    if (event->isAutoRepeat()) {
        event->accept();
        return;
    }
    // A Space let go after it pressed this button (not one that arrived
    // with the focus) clicks it, as it looked pressed.
    const bool clicks = event->key() == Qt::Key_Space && isEnabled() && m_spaceDown;
    if (event->key() == Qt::Key_Space && isEnabled()) {
        m_spaceDown = false;
        m_drawState = ButtonLook::Normal;
        redraw();
    }
    Q_EMIT keyUp(keyCodeFor(event->key()), shiftMask(event->modifiers()));
    if (clicks)
        click();
    if (event->key() == Qt::Key_Space)
        event->accept();
    else
        ButtonBase::keyReleaseEvent(event);
}

void TavrelButton::pressLook(int button, int shift, float x, float y)
{
    if (button == MouseCode::Left && m_userMode) {
        m_hasFocus = true;
        m_drawState = ButtonLook::Pressed;
        redraw();
    }
    m_lastButton = button;
    m_lastShift = shift;
    m_lastX = x;
    m_lastY = y;
    Q_EMIT mouseDown(button, shift, x, y);
}

void TavrelButton::mousePressEvent(QMouseEvent *event)
{
    const QPointF pos = event->position();
    m_swallowRelease = false;
    pressLook(buttonMask(event->button()), shiftMask(event->modifiers()), float(pos.x()), float(pos.y()));
}

void TavrelButton::mouseDoubleClickEvent(QMouseEvent *)
{
    // The second press of a double click draws and reports a press again,
    // from the values of the first; it raises no second Click.
    takePointer();
    m_swallowRelease = true;
    pressLook(m_lastButton, m_lastShift, m_lastX, m_lastY);
}

void TavrelButton::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF pos = event->position();
    const bool inside = rect().contains(pos.toPoint());
    if (!inside && !m_grabbing) {
        // The pointer left the button while held; the normal look is already
        // drawn and the release belongs to whatever is under the pointer.
        m_swallowRelease = false;
        return;
    }
    if (!m_spaceDown && m_userMode) {
        m_drawState = ButtonLook::Hot;
        redraw();
    }
    Q_EMIT mouseUp(buttonMask(event->button()), shiftMask(event->modifiers()), float(pos.x()), float(pos.y()));
    const bool click = event->button() == Qt::LeftButton && inside && !m_swallowRelease;
    m_swallowRelease = false;
    if (click) {
        // Whatever the click opens (a message, a dialog) must not find the
        // pointer held by this button.
        releasePointer();
        Q_EMIT clicked();
    }
}

void TavrelButton::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF pos = event->position();
    const float x = float(pos.x());
    const float y = float(pos.y());
    const int buttons = buttonMask(event->buttons());
    m_drawState = ButtonLook::Normal;
    const bool outside = x <= 0 || x >= float(width()) || y <= 0 || (y >= float(height()) && !m_spaceDown);
    if (outside) {
        releasePointer();
        redraw();
        m_drawState = ButtonLook::Hot;
        return;
    }
    if (buttons != 1 && !m_spaceDown) {
        takePointer();
        m_drawState = ButtonLook::Hot;
        redraw();
        m_drawState = ButtonLook::Normal;
        Q_EMIT mouseMove(buttons, shiftMask(event->modifiers()), x, y);
    }
}

void TavrelButton::changeEvent(QEvent *event)
{
    if ((event->type() == QEvent::EnabledChange && !isEnabled())
        || (event->type() == QEvent::ActivationChange && !isActiveWindow()))
        releasePointer();
    ButtonBase::changeEvent(event);
}

bool TavrelButton::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut) {
        auto *se = static_cast<QShortcutEvent *>(event);
        if (se->shortcutId() == m_shortcutId && isEnabled() && keyboardClicks()) {
            releasePointer();
            // Two buttons with the same access key: each press moves the
            // focus between them, and Enter or Space then clicks.
            if (se->isAmbiguous())
                setFocus(Qt::ShortcutFocusReason);
            else
                Q_EMIT clicked();
            return true;
        }
    }
    return ButtonBase::event(event);
}

// The hover is followed with mouse tracking and the leave event rather than
// a pointer grab: on X11 a grab is server-wide, and would keep every other
// program's menus and the screen locker from taking the pointer while it
// merely rests on a button. While a button is held, the press's own implicit
// grab brings the moves outside.
void TavrelButton::takePointer()
{
    if (isVisible())
        m_grabbing = true;
}

void TavrelButton::releasePointer()
{
    m_grabbing = false;
}

void TavrelButton::leaveEvent(QEvent *event)
{
    ButtonBase::leaveEvent(event);
    // Gone without a move outside being seen: as such a move would.
    if (m_grabbing && !m_spaceDown) {
        releasePointer();
        m_drawState = ButtonLook::Normal;
        redraw();
        m_drawState = ButtonLook::Hot;
    }
}
