#pragma once

#include <QColor>
#include <QFont>

class QWidget;

// The face every window, button and message of the program is set in:
// "MS Sans Serif" at 8.25 pt, mapped to a face present here (see Fonts).
QFont windowFont();

// The colour a control's own text is drawn in (its WindowText entry).
void setTextColor(QWidget &widget, const QColor &color);
