#pragma once

#include "platform/ChannelListener.h"

#include <QByteArray>

class QSocketNotifier;

// One caller taken from the instance channel's socket: its line is read
// as it arrives, answered, and the caller hung up on. One that sends more
// than a line's room without a line end, or stays quiet, is hung up on
// unanswered; none is ever waited for.
class UnixChannelCaller : public QObject
{
public:
    // Takes over socket, a connected one set not to block.
    UnixChannelCaller(int socket, ChannelListener::Answer answer, QObject *parent);
    ~UnixChannelCaller() override;

    // Answers what came with the connection, or starts waiting for the
    // rest. The answer may end this object, or the whole listener.
    void start();

    // Still waiting for the rest of its line: neither answered nor hung up.
    bool waiting() const { return m_step == Step::Waiting; }
    // For a caller that must make room for a later one: a line that has
    // come is still answered, else it is hung up on.
    void lastCall();

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    enum class Step {
        Waiting,
        Answering,
        Done
    };

    void read();
    void answer(const QByteArray &line);
    void hangUp();

    int m_socket;
    Step m_step = Step::Waiting;
    ChannelListener::Answer m_answer;
    // Never more than a line's room and a byte.
    QByteArray m_received;
    QSocketNotifier *m_notifier = nullptr;
    int m_quietTimer = 0;
};
