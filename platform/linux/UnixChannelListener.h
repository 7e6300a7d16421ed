#pragma once

#include "platform/ChannelListener.h"

#include <QByteArray>

class QSocketNotifier;

// The instance channel's listening end on a socket file in the user's
// runtime folder. Nothing here waits: the socket and every caller's are
// read only when the loop says they are ready.
class UnixChannelListener : public ChannelListener
{
public:
    UnixChannelListener(Answer answer, QObject *parent);
    ~UnixChannelListener() override;

    bool listen(const QString &name) override;
    bool listening() const override;

private:
    void accept();

    Answer m_answer;
    int m_socket = -1;
    QByteArray m_path;
    QSocketNotifier *m_notifier = nullptr;
};
