#pragma once

#include "controls/Label.h"

// A label that acts as a link: red while the pointer is over it, blue while
// a button is pressed on it; the window turns it black again when the
// pointer moves over its own background (resetColour()).
class LinkLabel : public Label
{
    Q_OBJECT
public:
    LinkLabel(const QString &text, Qt::LayoutDirection paragraph, QWidget *parent = nullptr);

    QColor colour() const;
    void setColour(const QColor &colour);
    void resetColour() { setColour(Qt::black); }

Q_SIGNALS:
    void clicked();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};
