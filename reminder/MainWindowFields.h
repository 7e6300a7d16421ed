#pragma once

class Clock;
class ExtraTimer;
class Platform;
class QLineEdit;
class QWidget;

// The main window as the reminder windows see it: the fields they read and
// write, the interval timer a closing card switches back on, and the
// services the main window was given. The main window implements it, so
// these windows work on its fields without linking it.
class MainWindowFields
{
public:
    QLineEdit *Text2 = nullptr; // display seconds
    QLineEdit *Text4 = nullptr; // the card's font
    QLineEdit *Text5 = nullptr; // background number, 1 to 6
    QLineEdit *Text6 = nullptr; // run at logon, "1" or "0"
    ExtraTimer *Timer1 = nullptr;

    virtual QWidget &mainWindow() = 0;
    virtual Clock &clock() const = 0;
    virtual Platform &platform() const = 0;

protected:
    ~MainWindowFields() = default;
};
