#pragma once

#include "controls/OleColor.h"

#include <QWidget>

// A painted figure on a window: a filled circle (status lamp) or a
// rectangular frame.
class Shape : public QWidget
{
    Q_OBJECT
public:
    enum class Kind {
        Rectangle,
        Circle
    };

    explicit Shape(Kind kind, QWidget *parent = nullptr);

    OleColor fillColor() const { return m_fillColor; }
    void setFillColor(OleColor color);
    void setFilled(bool filled);
    bool isFilled() const { return m_filled; }
    void setBorderColor(OleColor color);
    void setBorderWidth(int width);
    // A decoration (a rule, a frame line) says nothing: screen readers are
    // not given it at all, where a plain widget would be read out under
    // the name of the box it sits in.
    bool isDecorative() const { return m_decorative; }
    void setDecorative(bool decorative) { m_decorative = decorative; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Kind m_kind;
    OleColor m_fillColor = 0xFFFFFF;
    OleColor m_borderColor = 0;
    int m_borderWidth = 1;
    bool m_filled = false;
    bool m_decorative = false;
};

class QAccessibleInterface;
// For QAccessible::installFactory: decorative shapes' interface (no role,
// no name, never shown to assistive technology); other shapes keep the
// toolkit's.
QAccessibleInterface *shapeAccessibleFactory(const QString &className, QObject *object);
