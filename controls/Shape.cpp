#include "controls/Shape.h"

#include <QAccessibleWidget>
#include <QPainter>

namespace {

class DecorationAccessible : public QAccessibleWidget
{
public:
    explicit DecorationAccessible(QWidget *w)
        : QAccessibleWidget(w, QAccessible::NoRole)
    {
    }
    QString text(QAccessible::Text) const override { return {}; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.invisible = true;
        return s;
    }
};

} // namespace

QAccessibleInterface *shapeAccessibleFactory(const QString &, QObject *object)
{
    auto *shape = qobject_cast<Shape *>(object);
    if (shape && shape->isDecorative())
        return new DecorationAccessible(shape);
    return nullptr;
}

Shape::Shape(Kind kind, QWidget *parent)
    : QWidget(parent)
    , m_kind(kind)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::setFillColor(OleColor color)
{
    if (m_fillColor == color)
        return;
    m_fillColor = color;
    update();
}

void Shape::setFilled(bool filled)
{
    m_filled = filled;
    update();
}

void Shape::setBorderColor(OleColor color)
{
    m_borderColor = color;
    update();
}

void Shape::setBorderWidth(int width)
{
    m_borderWidth = qMax(0, width);
    update();
}

void Shape::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QPalette &pal = palette();
    QPen pen(toQColor(resolveColor(m_borderColor, pal)));
    pen.setWidth(m_borderWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    if (m_borderWidth == 0)
        pen = Qt::NoPen;
    p.setPen(pen);
    p.setBrush(m_filled ? QBrush(toQColor(resolveColor(m_fillColor, pal))) : QBrush(Qt::NoBrush));
    const qreal inset = m_borderWidth / 2.0;
    const QRectF r = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    if (m_kind == Kind::Circle) {
        p.setRenderHint(QPainter::Antialiasing);
        const qreal d = qMin(r.width(), r.height());
        p.drawEllipse(QRectF(r.center().x() - d / 2, r.center().y() - d / 2, d, d));
    } else {
        p.drawRect(r);
    }
}
