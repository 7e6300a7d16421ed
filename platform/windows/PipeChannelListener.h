#pragma once

#include "platform/ChannelListener.h"

class QLocalServer;
class QLocalSocket;

// The instance channel's listening end on a named pipe.
class PipeChannelListener : public ChannelListener
{
public:
    PipeChannelListener(Answer answer, QObject *parent);

    bool listen(const QString &name) override;
    bool listening() const override;

private:
    void accept();
    void read(QLocalSocket *socket);

    Answer m_answer;
    QLocalServer *m_server;
};
