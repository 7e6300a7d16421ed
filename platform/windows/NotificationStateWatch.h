#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

// What the shell says of the user's readiness for a notice: a full-screen
// program, a presentation, or quiet hours. The shell tells of no change, so
// it is asked when the watch starts, whenever a card falls due (ask()), and
// while it says "not now" every few seconds, so that a card waiting for it
// comes soon after; never while the answer is "go ahead".
class NotificationStateWatch : public QObject
{
public:
    enum class Kind {
        FullScreen,
        QuietTime
    };
    static constexpr int WhileHeldMs = 5000;

    // report is told whether the kind of hold watched holds now; it is
    // called at once and after every question.
    NotificationStateWatch(QObject &owner, Kind kind, std::function<void(bool held)> report);

    void ask();

private:
    Kind m_kind;
    std::function<void(bool)> m_report;
    QTimer m_whileHeld;
};
