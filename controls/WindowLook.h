#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>

class QHBoxLayout;
class QWidget;
class TavrelButton;

// The face every window, button and message of the program is set in:
// "MS Sans Serif" at 8.25 pt, mapped to a face present here (see Fonts).
QFont windowFont();

// The colour a control's own text is drawn in (its WindowText entry).
void setTextColor(QWidget &widget, const QColor &color);

// An icon for a window that shows none in its title bar. A null icon is not
// enough: a window without one takes its parent's or the application's, so
// the window gets one clear pixel, which is what the title bar then draws.
QIcon blankWindowIcon();

// A tool window of the program's: a title bar with only a close box, no
// icon of its own (left null it would show the main window's), right to left, in its parent's face; role is what
// window managers and the tests tell it by.
void setUpToolWindow(QWidget &window, const QString &name, const QString &title, const QString &role);

// The OK and Cancel buttons at the foot of a tool window, at their end of
// a row of their own, named okName and cancelName for the tests and screen
// readers. The caller adds the row and connects the buttons.
struct OkCancelRow
{
    QHBoxLayout *row;
    TavrelButton *ok;
    TavrelButton *cancel;
};
OkCancelRow okCancelRow(QWidget &window, const char *okName, const char *cancelName);
