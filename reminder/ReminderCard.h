#pragma once

#include "core/card/CardGeometry.h"
#include "reminder/CardContent.h"

#include <QPointer>
#include <QWidget>
#include <optional>

class QScreen;

class Clock;
class ExtraTimer;
class Label;
class Platform;
class QLabel;
class QTimer;
class Shape;
class TavrelButtonV2;

// The reminder card: a borderless picture that slides out of the chosen
// corner of its monitor at the chosen size, shows its text for the chosen
// seconds, slides away and closes. It shows what it is given when it is
// created, and says closed() when it goes by itself, by its "X" or by the
// window manager.
class ReminderCard : public QWidget
{
    Q_OBJECT
public:
    // Builds the card and runs its load: background, font, pin on top,
    // display time, placement at height 0, slide up, text, all as content
    // has them. The card goes to content's screen's corner (the primary
    // screen's when none is given, or once that screen is gone), at
    // content's size (see layoutPercent).
    ReminderCard(const CardContent &content, Clock &clock, Platform &platform, const QIcon &icon);
    ~ReminderCard() override;

    // Shows the card without taking the keyboard focus; the window appears
    // with the first slide tick, when it first has a height.
    void showCard();
    // Discards the card at once, without saying closed().
    void unload();

    CardGeometry::Twips twips() const { return m_twips; }
    int displaySeconds() const { return m_displaySeconds; }
    // The size the card is drawn at, in a hundred of the normal card: the
    // size chosen, made larger for a text that would not fit it at the
    // smallest type, or smaller for a monitor it would not fit.
    int layoutPercent() const { return m_percent; }
    // The catalogue entry shown, -1 before one is or for a text of the
    // user's.
    int textIndex() const { return m_textIndex; }

    // One step of each animation, also driven by the timers below.
    void slideUpTick();
    void slideDownTick();

    // One tick per display frame: the 28 steps take about half a second.
    static constexpr int TickMs = 16;

Q_SIGNALS:
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void build();
    void load(const CardContent &content);
    void applyBackground(std::optional<int> picture);
    void countdownElapsed();
    void closeByItself();
    void applyGeometry();
    void followScreen();
    void placeOnScreen();
    void showSequence(int position, int count);
    QScreen *targetScreen() const;
    QRect screenGeometry() const;
    QRect availableArea(const QRect &screenGeometry) const;
    int percentFor(const CardContent &content) const;
    qreal pictureRatio() const;

    Platform &m_platform;
    QPointer<QScreen> m_screen;
    // Created bottom of the stacking order first.
    QLabel *m_picture = nullptr;
    Shape *m_frame = nullptr;
    Label *m_text = nullptr;
    QLabel *m_sequence = nullptr; // "2 / 7" while a timed sequence runs
    TavrelButtonV2 *m_close = nullptr;
    ExtraTimer *m_countdown = nullptr;
    QTimer *m_slideDown = nullptr;
    QTimer *m_slideUp = nullptr;
    CardGeometry::Twips m_twips;
    CardGeometry::Corner m_corner = CardGeometry::Corner::BottomRight;
    int m_percent = 100;
    int m_displaySeconds = 0;
    int m_textIndex = -1;
    bool m_wantShown = false;
    bool m_unloading = false;
    // The X is held down, and the card has moved since it went down.
    bool m_closeHeld = false;
    bool m_closeMoved = false;
};
