#pragma once

#include "announce/player/PlayerProtocol.h"

#include <QColor>
#include <QObject>
#include <QProcess>
#include <QSize>
#include <QTimer>
#include <QWidget>
#include <optional>

// One run of the movie player program, playing one movie in a native
// window of ours. It reports the player's status lines, and ends it when
// asked (politely first, by force after QuitGraceMs), when it goes silent
// for HangMs, or when this object goes. Ended processes take whatever they
// started with them.
class PlayerProcess : public QObject
{
    Q_OBJECT
public:
    using Status = PlayerProtocol::Status;
    static constexpr int HangMs = 30'000;
    static constexpr int QuitGraceMs = 2'000;

    explicit PlayerProcess(QObject *parent = nullptr);
    ~PlayerProcess() override;

    void start(const QString &program, const QString &movie, WId window, QSize size, const QColor &background);
    // Asks the player to end; ended() follows.
    void stop();
    void setHangMs(int ms) { m_silence.setInterval(ms); }

    qint64 processId() const { return m_pid; }

Q_SIGNALS:
    void statusChanged(PlayerProtocol::Status status);
    // The player has ended: asked to (stop()), or not (a crash, a kill,
    // a hang, or a program that would not start).
    void ended(bool unasked);

private:
    void readLines();
    void finish();
    void hung();
    void killAll();

    QProcess m_process;
    QTimer m_silence;
    QTimer m_grace;
    std::optional<Status> m_status;
    qint64 m_pid = 0;
    bool m_stopping = false;
    bool m_ended = false;
};
