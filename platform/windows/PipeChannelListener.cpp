#include "platform/windows/PipeChannelListener.h"

#include "platform/InstanceChannel.h"

#include <QPointer>
#include <QTimer>
#include <QTimerEvent>
#include <QWinEventNotifier>

#include <vector>

namespace {

// How long opening the next instance rests when the system refused one.
constexpr int RestMs = 1000;

} // namespace

// One caller's instance of the pipe: its line is read as it arrives,
// answered, and the caller hung up on once it has taken the answer. One
// that sends more than a line's room without a line end, or stays quiet,
// is hung up on unanswered; none is ever waited for.
class PipeChannelCaller : public QObject
{
public:
    // Takes over pipe, a connected instance opened for overlapped use.
    PipeChannelCaller(HANDLE pipe, ChannelListener::Answer answer, QObject *parent);
    ~PipeChannelCaller() override;

    // Not yet hung up on: it holds its instance of the pipe.
    bool waiting() const { return m_step != Step::Done; }
    // For a caller that must make room for a later one: a line that has
    // come is still answered, else it is hung up on.
    void lastCall();

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    // Reading the line, writing the answer, waiting for the caller to
    // close its end (then the answer has been read), hung up.
    enum class Step {
        Reading,
        Writing,
        Ending,
        Done
    };

    void read();
    void write();
    void awaitEnd();
    bool begun(BOOL done);
    void completed();
    void received(DWORD count);
    void answer(const QByteArray &line);
    void cancel();
    void hangUp();

    HANDLE m_pipe;
    HANDLE m_event;
    OVERLAPPED m_overlapped{};
    // An overlapped call runs, or has ended and awaits completed().
    bool m_pending = false;
    Step m_step = Step::Reading;
    ChannelListener::Answer m_answer;
    QByteArray m_received;
    QByteArray m_reply;
    qsizetype m_written = 0;
    // One byte past the room tells a line too long from one that fits.
    char m_chunk[InstanceChannel::MaxLine + 1];
    QWinEventNotifier *m_notifier = nullptr;
    int m_quietTimer = 0;
};

PipeChannelCaller::PipeChannelCaller(HANDLE pipe, ChannelListener::Answer answer, QObject *parent)
    : QObject(parent)
    , m_pipe(pipe)
    , m_event(CreateEventW(nullptr, TRUE, FALSE, nullptr))
    , m_answer(std::move(answer))
{
    // Ends with this object, unlike a single shot, which would outlive
    // every caller of a flood by its whole span.
    m_quietTimer = startTimer(ChannelListener::QuietCallerMs);
    if (!m_event) {
        hangUp();
        return;
    }
    m_notifier = new QWinEventNotifier(m_event, this);
    connect(m_notifier, &QWinEventNotifier::activated, this, &PipeChannelCaller::completed);
    read();
}

PipeChannelCaller::~PipeChannelCaller()
{
    // The notifier stops watching before the event goes.
    delete m_notifier;
    cancel();
    if (m_pipe != INVALID_HANDLE_VALUE)
        CloseHandle(m_pipe);
    if (m_event)
        CloseHandle(m_event);
}

void PipeChannelCaller::lastCall()
{
    const QPointer<PipeChannelCaller> alive(this);
    // What the pending read has taken by now is looked at first.
    if (m_step == Step::Reading)
        completed();
    if (alive)
        hangUp();
}

void PipeChannelCaller::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_quietTimer)
        hangUp();
}

void PipeChannelCaller::read()
{
    m_step = Step::Reading;
    m_overlapped = OVERLAPPED{};
    m_overlapped.hEvent = m_event;
    const auto room = DWORD(sizeof(m_chunk) - size_t(m_received.size()));
    if (!begun(ReadFile(m_pipe, m_chunk, room, nullptr, &m_overlapped)))
        hangUp();
}

void PipeChannelCaller::write()
{
    m_step = Step::Writing;
    m_overlapped = OVERLAPPED{};
    m_overlapped.hEvent = m_event;
    const auto size = DWORD(m_reply.size() - m_written);
    if (!begun(WriteFile(m_pipe, m_reply.constData() + m_written, size, nullptr, &m_overlapped)))
        hangUp();
}

void PipeChannelCaller::awaitEnd()
{
    // Closing the instance now would not lose the answer, which stays in
    // the pipe for the caller; this only keeps it until read.
    m_step = Step::Ending;
    m_overlapped = OVERLAPPED{};
    m_overlapped.hEvent = m_event;
    if (!begun(ReadFile(m_pipe, m_chunk, 1, nullptr, &m_overlapped)))
        hangUp();
}

// Follows an overlapped call that returned done: true while it runs or
// when it has ended, and completed() takes its outcome.
bool PipeChannelCaller::begun(BOOL done)
{
    if (!done && GetLastError() != ERROR_IO_PENDING)
        return false;
    m_pending = true;
    // The event is set for a call that ended at once too; this does not
    // depend on it. completed() tells a late signal from a real one.
    if (done)
        QMetaObject::invokeMethod(this, &PipeChannelCaller::completed, Qt::QueuedConnection);
    return true;
}

void PipeChannelCaller::completed()
{
    // Cleared before the outcome is asked for: a call that ends after
    // this sets it again.
    ResetEvent(m_event);
    if (!m_pending)
        return;
    DWORD count = 0;
    if (!GetOverlappedResult(m_pipe, &m_overlapped, &count, FALSE)) {
        if (GetLastError() == ERROR_IO_INCOMPLETE)
            return;
        m_pending = false;
        // Gone before a whole line, or broken; or, when ending, gone with
        // its answer.
        hangUp();
        return;
    }
    m_pending = false;
    switch (m_step) {
    case Step::Reading: received(count); break;
    case Step::Writing:
        m_written += count;
        if (m_written >= m_reply.size())
            awaitEnd();
        else if (count > 0)
            write();
        else
            hangUp();
        break;
    case Step::Ending:
        // More than one line: not listened to.
    case Step::Done: hangUp(); break;
    }
}

void PipeChannelCaller::received(DWORD count)
{
    constexpr int Room = InstanceChannel::MaxLine;
    if (count == 0) {
        hangUp();
        return;
    }
    m_received.append(m_chunk, qsizetype(count));
    const qsizetype end = m_received.indexOf('\n');
    if (end >= 0 && end < Room) {
        answer(m_received.left(end + 1));
        return;
    }
    if (m_received.size() > Room) {
        hangUp();
        return;
    }
    read();
}

void PipeChannelCaller::answer(const QByteArray &line)
{
    // Nothing is read from this caller while whatever the line starts
    // runs, maybe a loop of its own that hangs up on it or ends it all.
    const ChannelListener::Answer answer = m_answer;
    const QPointer<PipeChannelCaller> alive(this);
    const QByteArray reply = answer(line);
    if (!alive || m_step == Step::Done)
        return;
    if (reply.isEmpty()) {
        hangUp();
        return;
    }
    // A few bytes into an empty buffer go at once; a caller that has gone
    // fails the write, and is hung up on.
    m_reply = reply;
    write();
}

void PipeChannelCaller::cancel()
{
    if (!m_pending)
        return;
    // The system writes the call's outcome into m_overlapped even when
    // cancelled: waited for before the structure or the buffers go.
    CancelIoEx(m_pipe, &m_overlapped);
    DWORD count = 0;
    GetOverlappedResult(m_pipe, &m_overlapped, &count, TRUE);
    m_pending = false;
}

void PipeChannelCaller::hangUp()
{
    if (m_step == Step::Done)
        return;
    m_step = Step::Done;
    if (m_notifier)
        m_notifier->setEnabled(false);
    if (m_quietTimer != 0)
        killTimer(m_quietTimer);
    m_quietTimer = 0;
    cancel();
    // The caller hears it at once, even while a loop holds this object's
    // deletion back.
    if (m_pipe != INVALID_HANDLE_VALUE) {
        CloseHandle(m_pipe);
        m_pipe = INVALID_HANDLE_VALUE;
    }
    m_received = QByteArray();
    m_reply = QByteArray();
    deleteLater();
}

// Access to the pipe for the user this program runs as, and nobody else:
// no other user can call, nor open an instance of the name.
struct PipeChannelListener::Access
{
    std::vector<BYTE> user;
    std::vector<DWORD> list;
    SECURITY_DESCRIPTOR descriptor{};
    SECURITY_ATTRIBUTES attributes{};

    static std::unique_ptr<Access> forCurrentUser()
    {
        HANDLE token = nullptr;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
            return nullptr;
        auto access = std::make_unique<Access>();
        DWORD size = 0;
        GetTokenInformation(token, TokenUser, nullptr, 0, &size);
        access->user.resize(size);
        const bool known = size > 0 && GetTokenInformation(token, TokenUser, access->user.data(), size, &size);
        CloseHandle(token);
        if (!known)
            return nullptr;
        const PSID sid = reinterpret_cast<const TOKEN_USER *>(access->user.data())->User.Sid;
        const DWORD listBytes = DWORD(sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(sid));
        access->list.resize((listBytes + sizeof(DWORD) - 1) / sizeof(DWORD));
        const auto list = reinterpret_cast<PACL>(access->list.data());
        if (!InitializeAcl(list, listBytes, ACL_REVISION)
            || !AddAccessAllowedAce(list, ACL_REVISION, FILE_ALL_ACCESS, sid)
            || !InitializeSecurityDescriptor(&access->descriptor, SECURITY_DESCRIPTOR_REVISION)
            || !SetSecurityDescriptorDacl(&access->descriptor, TRUE, list, FALSE))
            return nullptr;
        access->attributes.nLength = sizeof(SECURITY_ATTRIBUTES);
        access->attributes.lpSecurityDescriptor = &access->descriptor;
        access->attributes.bInheritHandle = FALSE;
        return access;
    }
};

// An instance of the pipe that waits for a caller, and is opened again for
// the next once its caller is taken.
class PipeChannelListener::Waiting : public QObject
{
public:
    Waiting(std::function<void(Waiting &)> connected, QObject *parent)
        : QObject(parent)
        , m_report(std::move(connected))
        , m_event(CreateEventW(nullptr, TRUE, FALSE, nullptr))
    {
        if (!m_event)
            return;
        m_notifier = new QWinEventNotifier(m_event, this);
        QObject::connect(m_notifier, &QWinEventNotifier::activated, this, &Waiting::signalled);
    }

    ~Waiting() override
    {
        // The notifier stops watching before the event goes.
        delete m_notifier;
        close();
        if (m_event)
            CloseHandle(m_event);
    }

    // Opens a fresh instance of the pipe at path and waits for a caller on
    // it; false when the system refused one.
    bool open(const std::wstring &path, SECURITY_ATTRIBUTES &access, bool first)
    {
        if (!m_event || isOpen())
            return false;
        const DWORD openMode = PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0);
        const DWORD pipeMode = PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS;
        m_pipe = CreateNamedPipeW(path.c_str(), openMode, pipeMode, PIPE_UNLIMITED_INSTANCES, BufferBytes, BufferBytes,
                                  0, &access);
        if (m_pipe == INVALID_HANDLE_VALUE)
            return false;
        m_overlapped = OVERLAPPED{};
        m_overlapped.hEvent = m_event;
        ResetEvent(m_event);
        const BOOL done = ConnectNamedPipe(m_pipe, &m_overlapped);
        const DWORD error = done ? ERROR_PIPE_CONNECTED : GetLastError();
        if (error == ERROR_IO_PENDING) {
            m_connecting = true;
            return true;
        }
        if (error == ERROR_PIPE_CONNECTED || error == ERROR_NO_DATA) {
            // A caller came between the two calls (and may have gone again,
            // leaving its line): taken from the loop like any other.
            m_connectedAtOnce = true;
            SetEvent(m_event);
            return true;
        }
        close();
        return false;
    }

    bool isOpen() const { return m_pipe != INVALID_HANDLE_VALUE; }

    // The instance its caller connected to, handed over; none when the
    // connection failed. Either way this one is closed.
    HANDLE take()
    {
        if (!m_connected) {
            close();
            return INVALID_HANDLE_VALUE;
        }
        m_connected = false;
        const HANDLE pipe = m_pipe;
        m_pipe = INVALID_HANDLE_VALUE;
        return pipe;
    }

private:
    void signalled()
    {
        // Cleared before the outcome is asked for: a connection that comes
        // after this sets it again.
        ResetEvent(m_event);
        if (!isOpen() || (!m_connecting && !m_connectedAtOnce))
            return;
        if (m_connecting) {
            DWORD unused = 0;
            if (!GetOverlappedResult(m_pipe, &m_overlapped, &unused, FALSE)) {
                const DWORD error = GetLastError();
                if (error == ERROR_IO_INCOMPLETE)
                    return;
                m_connecting = false;
                // Spoilt otherwise: take() then gives nothing.
                m_connected = error == ERROR_PIPE_CONNECTED || error == ERROR_NO_DATA;
                m_report(*this);
                return;
            }
            m_connecting = false;
        }
        m_connectedAtOnce = false;
        m_connected = true;
        m_report(*this);
    }

    void close()
    {
        if (!isOpen())
            return;
        if (m_connecting) {
            // The system writes the outcome into m_overlapped even when
            // cancelled: waited for before it goes.
            CancelIoEx(m_pipe, &m_overlapped);
            DWORD unused = 0;
            GetOverlappedResult(m_pipe, &m_overlapped, &unused, TRUE);
            m_connecting = false;
        }
        m_connectedAtOnce = false;
        m_connected = false;
        CloseHandle(m_pipe);
        m_pipe = INVALID_HANDLE_VALUE;
    }

    std::function<void(Waiting &)> m_report;
    HANDLE m_event;
    HANDLE m_pipe = INVALID_HANDLE_VALUE;
    OVERLAPPED m_overlapped{};
    // Its connection is under way, came before it was asked for, or is
    // there to be taken.
    bool m_connecting = false;
    bool m_connectedAtOnce = false;
    bool m_connected = false;
    QWinEventNotifier *m_notifier = nullptr;
};

ChannelListener *ChannelListener::create(Answer answer, QObject *parent)
{
    return new PipeChannelListener(std::move(answer), parent);
}

PipeChannelListener::PipeChannelListener(Answer answer, QObject *parent)
    : ChannelListener(parent)
    , m_answer(std::move(answer))
{
}

// The waiting instances and the callers, children, close as they go.
PipeChannelListener::~PipeChannelListener() = default;

std::wstring PipeChannelListener::pipePath(const QString &name)
{
    return (QStringLiteral("\\\\.\\pipe\\") + name).toStdWString();
}

bool PipeChannelListener::listen(const QString &name)
{
    if (m_listening)
        return true;
    m_access = Access::forCurrentUser();
    if (!m_access)
        return false;
    m_path = pipePath(name);
    // A copy that ends takes its pipe with it: one still at the name is a
    // live copy's, or another user's. The first instance's flag refuses
    // it; this asks first where that flag is not kept (Wine).
    if (WaitNamedPipeW(m_path.c_str(), 1) || GetLastError() != ERROR_FILE_NOT_FOUND)
        return false;
    for (int i = 0; i < Backlog; ++i) {
        auto *waiting = new Waiting([this](Waiting &connected) { take(connected); }, this);
        if (!waiting->open(m_path, m_access->attributes, i == 0)) {
            if (i == 0) {
                delete waiting;
                return false;
            }
            openLater(*waiting);
        }
        m_waiting.push_back(waiting);
    }
    m_listening = true;
    return true;
}

bool PipeChannelListener::listening() const
{
    return m_listening;
}

void PipeChannelListener::take(Waiting &waiting)
{
    const HANDLE caller = waiting.take();
    // A fresh instance waits in its place before the caller is answered.
    if (!waiting.open(m_path, m_access->attributes, false))
        openLater(waiting);
    if (caller != INVALID_HANDLE_VALUE)
        admit(new PipeChannelCaller(caller, m_answer, this));
}

void PipeChannelListener::admit(PipeChannelCaller *caller)
{
    std::erase_if(m_callers, [](const QPointer<PipeChannelCaller> &other) { return !other || !other->waiting(); });
    m_callers.emplace_back(caller);
    if (qsizetype(m_callers.size()) <= MaxCallers)
        return;
    const QPointer<PipeChannelCaller> oldest = m_callers.front();
    m_callers.erase(m_callers.begin());
    oldest->lastCall();
}

void PipeChannelListener::openLater(Waiting &waiting)
{
    // The system has no room for another instance now; the others keep
    // the name.
    QTimer::singleShot(RestMs, &waiting, [this, &waiting] {
        if (!waiting.isOpen() && !waiting.open(m_path, m_access->attributes, false))
            openLater(waiting);
    });
}
