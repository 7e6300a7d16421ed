#include "controls/LinkLabel.h"

#include "controls/WindowLook.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(const QString &text, Qt::LayoutDirection paragraph, QWidget *parent)
    : Label(text, paragraph, parent)
{
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    resetColour();
}

QColor LinkLabel::colour() const
{
    return palette().color(QPalette::WindowText);
}

void LinkLabel::setColour(const QColor &colour)
{
    if (colour == this->colour())
        return;
    setTextColor(*this, colour);
}

void LinkLabel::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() == Qt::NoButton)
        setColour(Qt::red);
    event->accept();
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    setColour(Qt::blue);
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}
