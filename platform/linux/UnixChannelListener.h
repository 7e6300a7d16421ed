#pragma once

#include "platform/ChannelListener.h"

#include <QByteArray>
#include <QPointer>

#include <vector>

class QSocketNotifier;
class UnixChannelCaller;

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
    // Keeps caller among those waiting, making room when they are too many.
    void admit(UnixChannelCaller *caller);

    Answer m_answer;
    int m_socket = -1;
    QByteArray m_path;
    QSocketNotifier *m_notifier = nullptr;
    // The callers still waiting for their line, the longest waiting first.
    std::vector<QPointer<UnixChannelCaller>> m_waiting;
};
