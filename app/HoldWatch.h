#pragma once

#include <QObject>
#include <QRect>
#include <QTimer>
#include <functional>

class HoldGate;
class Platform;

// Tells the hold gate what the desktop is doing, watching only what the
// user's choices need: the active window's full screen (on the monitor the
// card would go to), the desktop's do-not-disturb switch, the screen lock,
// and the time since the last input. The watches follow the desktop's own
// signals; only the idle time is asked for, every few seconds, and only
// while the away choice is on.
class HoldWatch : public QObject
{
    Q_OBJECT
public:
    // How often the idle time is asked for: the away choice counts in
    // minutes; while it holds a card, a return is noticed within a second.
    static constexpr int IdlePollMs = 5000;
    static constexpr int IdleReturnPollMs = 1000;

    // cardMonitor: the monitor the next card would go to.
    HoldWatch(Platform &platform, HoldGate &gate, std::function<QRect()> cardMonitor, QObject *parent = nullptr);

    // The last full-screen monitor reported; empty when none.
    QRect fullScreenArea() const { return m_fullScreenArea; }

private:
    void follow();
    void updateFullScreen();
    void pollIdle();

    Platform &m_platform;
    HoldGate &m_gate;
    std::function<QRect()> m_cardMonitor;
    // Each watch lives as long as its owner: deleting it stops it.
    QObject *m_fullScreen = nullptr;
    QObject *m_doNotDisturb = nullptr;
    QObject *m_lock = nullptr;
    QTimer m_idle;
    QRect m_fullScreenArea;
};
