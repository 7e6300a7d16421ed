#pragma once

#include "core/CardGeometry.h"

#include <QWidget>

class ExtraTimer;
class MainWindowFields;
class Label;
class QLabel;
class QLineEdit;
class QTimer;
class Shape;
class TavrelButtonV2;

// The reminder card: a borderless picture that slides up out of the
// bottom-right corner, shows one catalogue text for the chosen seconds,
// slides away and closes. It reads its settings from the main window when
// it is created and switches the main window's interval timer back on when
// it closes by itself or by its "X".
class ReminderCard : public QWidget
{
    Q_OBJECT
public:
    // Builds the card and runs its load: background, font, pin on top,
    // display time, placement at height 0, slide up, text.
    explicit ReminderCard(MainWindowFields &form2);
    ~ReminderCard() override;

    // Shows the card without taking the keyboard focus; the window appears
    // with the first slide tick, when it first has a height.
    void showCard();
    // Discards the card at once, without re-arming anything.
    void unload();

    CardGeometry::Twips twips() const { return m_twips; }
    int displaySeconds() const { return m_displaySeconds; }

    // One step of each animation, also driven by the timers below.
    void slideUpTick();
    void slideDownTick();

    TavrelButtonV2 *TavrelButtonV21 = nullptr;
    QLineEdit *Text3 = nullptr;
    ExtraTimer *Timer2 = nullptr;
    QTimer *Timer3 = nullptr;
    QTimer *Timer1 = nullptr;
    Label *Label1 = nullptr;
    Shape *Shape1 = nullptr;
    QLabel *Image1 = nullptr;

    // One tick per display frame: the 28 steps take about half a second.
    static constexpr int TickMs = 16;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void build();
    void load();
    void applyBackground();
    void countdownElapsed();
    void closeAndRearm();
    void applyGeometry();
    void followScreen();
    void placeOnScreen();

    MainWindowFields &m_form2;
    CardGeometry::Twips m_twips;
    int m_displaySeconds = 0;
    bool m_wantShown = false;
    bool m_unloading = false;
    // The X is held down, and the card has moved since it went down.
    bool m_closeHeld = false;
    bool m_closeMoved = false;
};
