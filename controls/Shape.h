#pragma once

#include "controls/OleColor.h"

#include <QWidget>

// A painted figure on a window: a filled circle (status lamp) or a
// rectangular frame.
class Shape : public QWidget
{
    Q_OBJECT
public:
    enum class Kind { Rectangle, Circle };

    explicit Shape(Kind kind, QWidget *parent = nullptr);

    OleColor fillColor() const { return m_fillColor; }
    void setFillColor(OleColor color);
    void setFilled(bool filled);
    bool isFilled() const { return m_filled; }
    void setBorderColor(OleColor color);
    void setBorderWidth(int width);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Kind m_kind;
    OleColor m_fillColor = 0xFFFFFF;
    OleColor m_borderColor = 0;
    int m_borderWidth = 1;
    bool m_filled = false;
};
