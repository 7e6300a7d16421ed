#pragma once

#include "announce/player/PlayerProtocol.h"

#include <QColor>
#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QSize>
#include <QTimer>
#include <QWidget>
#include <optional>

// One run of the movie player program, playing one movie in a native
// window of ours. It reports the player's status lines, and ends it when
// asked (politely first, by force after QuitGraceMs), when it goes silent
// for HangMs, when it writes more or longer lines than the protocol allows,
// or when this object goes. Ended processes take whatever they started
// with them. A player whose processes together hold more than the memory
// budget is ended too, and its movie reported as one it cannot play.
class PlayerProcess : public QObject
{
    Q_OBJECT
public:
    using Status = PlayerProtocol::Status;
    static constexpr int HangMs = 30'000;
    static constexpr int QuitGraceMs = 2'000;
    // Playing the strip's movie takes about 400 MB in all.
    static constexpr qint64 MemoryBudgetBytes = 600'000'000;
    // How often, at most, the memory is looked at: when a status line
    // arrives, no sooner than this after the last look. A look costs the
    // system some 20 ms with the web engine's processes: every other
    // heartbeat.
    static constexpr int MemoryCheckMs = 9'000;

    explicit PlayerProcess(QObject *parent = nullptr);
    ~PlayerProcess() override;

    void start(const QString &program, const QString &movie, WId window, QSize size, const QColor &background);
    // Asks the player to end; ended() follows.
    void stop();
    void setHangMs(int ms) { m_silence.setInterval(ms); }
    void setMemoryBudget(qint64 bytes) { m_memoryBudget = bytes; }

    qint64 processId() const { return m_pid; }

Q_SIGNALS:
    void statusChanged(PlayerProtocol::Status status);
    // The player has ended: asked to (stop()), or not (a crash, a kill,
    // a hang, or a program that would not start).
    void ended(bool unasked);

private:
    void readLines();
    // Counts a line against the protocol's pace.
    bool withinPace();
    bool overBudget();
    void tooBig();
    void finish();
    void hung();
    void killAll();

    QProcess m_process;
    QTimer m_silence;
    QTimer m_grace;
    std::optional<Status> m_status;
    QElapsedTimer m_pace;
    int m_linesThisBeat = 0;
    QElapsedTimer m_memoryLook;
    qint64 m_memoryBudget = MemoryBudgetBytes;
    qint64 m_pid = 0;
    bool m_stopping = false;
    bool m_ended = false;
};
