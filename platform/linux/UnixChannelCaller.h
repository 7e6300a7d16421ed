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

private:
    void read();
    void answer(const QByteArray &line);
    void hangUp();

    int m_socket;
    ChannelListener::Answer m_answer;
    QByteArray m_received;
    QSocketNotifier *m_notifier;
};
