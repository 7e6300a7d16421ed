#pragma once

#include "platform/ChannelListener.h"

#include <QPointer>
#include <QString>

#include <memory>
#include <qt_windows.h>
#include <string>
#include <vector>

class PipeChannelCaller;

// The instance channel's listening end on a named pipe, with the system's
// own calls. A few instances of the pipe always wait for callers, as a
// socket's queue does (a caller that connected and is not yet taken holds
// up no other, even one in the same thread); each caller that connects is
// handed to its own object (PipeChannelCaller, in the source file), which
// reads its line as it arrives. Nothing here waits: every connection, read
// and write is overlapped, and its event is watched from the loop.
class PipeChannelListener : public ChannelListener
{
public:
    PipeChannelListener(Answer answer, QObject *parent);
    ~PipeChannelListener() override;

    // Fails when a pipe of the name is already there: on this system a
    // copy that ended leaves none, so it is a live one's (or another's).
    bool listen(const QString &name) override;
    bool listening() const override;

    // The pipe's path for a name InstanceChannel::serverNameFor gives.
    static std::wstring pipePath(const QString &name);

    // What the pipes' buffers hold each way. Not zero: a writer then waits
    // for the reader, and a caller and listener in one thread deadlock.
    static constexpr DWORD BufferBytes = 1024;
    // Instances that wait for callers at any time.
    static constexpr int Backlog = 4;

    // Access to the pipe for the user this program runs as alone.
    struct Access;
    class Waiting;

private:
    void take(Waiting &waiting);
    void openLater(Waiting &waiting);
    // Keeps caller among those served, making room when they are too many.
    void admit(PipeChannelCaller *caller);

    Answer m_answer;
    std::wstring m_path;
    std::unique_ptr<Access> m_access;
    std::vector<Waiting *> m_waiting;
    // The callers not yet hung up on, the one taken first first.
    std::vector<QPointer<PipeChannelCaller>> m_callers;
    bool m_listening = false;
};
