#include "controls/ButtonBase.h"

#include "controls/MousePointer.h"
#include "core/settings/Rounding.h"

#include <QEvent>
#include <QFocusEvent>
#include <QPainter>

ButtonBase::ButtonBase(OleColor focusColor, QWidget *parent)
    : QWidget(parent)
    , m_caption(DefaultCaption)
    , m_focusColor(focusColor)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QVariant ButtonBase::pictureValue(const QPixmap &picture)
{
    return picture.isNull() ? QVariant() : QVariant(picture);
}

void ButtonBase::notify(const QString &name)
{
    if (!m_loading)
        Q_EMIT propertyChanged(name);
}

void ButtonBase::setBackColor(OleColor color)
{
    m_backColor = color;
    notify(QStringLiteral("BackColor"));
    redraw();
}

void ButtonBase::setForeColor(OleColor color)
{
    m_foreColor = color;
    notify(QStringLiteral("ForeColor"));
    if (m_redrawEnabled)
        redraw();
}

void ButtonBase::setCaption(const QString &caption)
{
    m_caption = caption;
    notify(QStringLiteral("Caption"));
    redraw();
}

void ButtonBase::setMouseIcon(const QPixmap &icon)
{
    m_mouseIcon = icon;
    applyCursor();
    notify(QStringLiteral("MouseIcon"));
}

void ButtonBase::setMousePointer(qint16 pointer)
{
    m_mousePointer = pointer;
    applyCursor();
    notify(QStringLiteral("MousePointer"));
}

void ButtonBase::setFocusColor(OleColor color)
{
    m_focusColor = color;
    notify(QStringLiteral("FocusColor"));
}

void ButtonBase::applyCursor()
{
    if (const auto cursor = cursorForMousePointer(m_mousePointer, m_mouseIcon))
        setCursor(*cursor);
    else
        unsetCursor();
}

void ButtonBase::updateEdges()
{
    m_bottomEdge = int(roundHalfEven(double(height()) - 1.0));
    m_rightEdge = int(roundHalfEven(double(width()) - 1.0));
}

void ButtonBase::redraw()
{
    if (m_loading)
        return;
    render();
    update();
}

void ButtonBase::render()
{
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = (size() * dpr).expandedTo(QSize(1, 1));
    if (m_surface.size() != pixels) {
        m_surface = QImage(pixels, QImage::Format_RGB32);
        m_surface.setDevicePixelRatio(dpr);
    }
    QPainter p(&m_surface);
    p.fillRect(rect(), toQColor(resolveColor(m_backColor, palette())));
    paintContent(p);
}

void ButtonBase::paintOutline(QPainter &p, OleColor outline)
{
    // A holder may watch the colour property; the guard keeps these two
    // assignments from starting a repaint of their own.
    m_redrawEnabled = false;
    const OleColor saved = m_foreColor;
    setForeColor(outline);
    // The rounded rectangle (0, 0)-(W, H) leaves out its right column and
    // bottom row: the outline lies against the bevel's shadow.
    paintRoundedOutline(p, 0, 0, m_rightEdge - 1, m_bottomEdge - 1, toQColor(resolveColor(m_foreColor, palette())));
    setForeColor(saved);
    m_redrawEnabled = true;
}

void ButtonBase::paintEvent(QPaintEvent *)
{
    if (m_surface.isNull() || m_surface.size() != size() * devicePixelRatioF())
        render();
    QPainter p(this);
    p.drawImage(0, 0, m_surface);
}

void ButtonBase::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    updateEdges();
    setMask(buttonRegion(m_rightEdge + 1, m_bottomEdge + 1));
    redraw();
}

void ButtonBase::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        notify(QStringLiteral("Enabled"));
        redraw();
    } else if (event->type() == QEvent::FontChange) {
        notify(QStringLiteral("Font"));
        redraw();
    }
}

void ButtonBase::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    m_hasFocus = true;
    // Keyboard users must see where the focus is; a click shows it anyway.
    const Qt::FocusReason reason = event->reason();
    m_keyboardFocus =
        reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
    redraw();
}

void ButtonBase::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    m_hasFocus = false;
    m_keyboardFocus = false;
    redraw();
}

void ButtonBase::click()
{
    if (!isEnabled() || !m_keyboardClicks)
        return;
    Q_EMIT clicked();
}
