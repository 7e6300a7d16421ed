#include "platform/ChannelCall.h"

#include "platform/InstanceChannel.h"
#include "platform/windows/PipeChannelListener.h"

#include <QDeadlineTimer>
#include <QScopeGuard>

namespace {

// How often a pipe whose instances are all taken is tried again, when the
// system's wait for one ends without one.
constexpr DWORD RetryMs = 20;

DWORD remainingMs(const QDeadlineTimer &deadline)
{
    return DWORD(qBound<qint64>(0, deadline.remainingTime(), MAXDWORD - 1));
}

HANDLE connectWithin(const std::wstring &path, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        // Identification only: whoever holds the name cannot act as this
        // user.
        const HANDLE pipe =
            CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                        FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr);
        if (pipe != INVALID_HANDLE_VALUE)
            return pipe;
        // Nobody listening is an answer at once; only a pipe whose
        // instances are all taken for the moment is worth waiting on.
        if (GetLastError() != ERROR_PIPE_BUSY || deadline.hasExpired())
            return INVALID_HANDLE_VALUE;
        // Never 0, which would wait as long as the pipe's own default.
        if (!WaitNamedPipeW(path.c_str(), qMax<DWORD>(1, remainingMs(deadline))) && !deadline.hasExpired()
            && GetLastError() != ERROR_SEM_TIMEOUT)
            Sleep(qMin(RetryMs, remainingMs(deadline)));
    }
}

// Ends the overlapped call that returned done on pipe: its byte count, or
// nothing when it failed or had not ended within timeoutMs (then it is
// cancelled).
std::optional<DWORD> finish(HANDLE pipe, OVERLAPPED &overlapped, BOOL done, int timeoutMs)
{
    if (!done && GetLastError() != ERROR_IO_PENDING)
        return std::nullopt;
    DWORD count = 0;
    if (!done && WaitForSingleObject(overlapped.hEvent, DWORD(qMax(0, timeoutMs))) != WAIT_OBJECT_0) {
        // The system writes the outcome into overlapped even when
        // cancelled: waited for before it goes.
        CancelIoEx(pipe, &overlapped);
        GetOverlappedResult(pipe, &overlapped, &count, TRUE);
        return std::nullopt;
    }
    if (!GetOverlappedResult(pipe, &overlapped, &count, FALSE))
        return std::nullopt;
    return count;
}

bool writeWithin(HANDLE pipe, HANDLE event, const QByteArray &bytes, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    qsizetype written = 0;
    while (written < bytes.size()) {
        OVERLAPPED overlapped{};
        overlapped.hEvent = event;
        ResetEvent(event);
        const BOOL done =
            WriteFile(pipe, bytes.constData() + written, DWORD(bytes.size() - written), nullptr, &overlapped);
        const std::optional<DWORD> count = finish(pipe, overlapped, done, int(remainingMs(deadline)));
        if (!count || *count == 0)
            return false;
        written += *count;
    }
    return true;
}

// Up to the line end, or a line's room, or until the running copy hangs up
// or sends nothing for timeoutMs.
QByteArray readAnswer(HANDLE pipe, HANDLE event, int timeoutMs)
{
    QByteArray answer;
    char chunk[InstanceChannel::MaxLine + 1];
    while (!answer.endsWith('\n') && answer.size() <= InstanceChannel::MaxLine) {
        OVERLAPPED overlapped{};
        overlapped.hEvent = event;
        ResetEvent(event);
        const BOOL done = ReadFile(pipe, chunk, sizeof(chunk), nullptr, &overlapped);
        const std::optional<DWORD> count = finish(pipe, overlapped, done, timeoutMs);
        if (!count || *count == 0)
            break;
        answer.append(chunk, qsizetype(*count));
    }
    return answer;
}

} // namespace

std::optional<QByteArray> callChannel(const QString &name, const QByteArray &request, bool awaitAnswer, int timeoutMs)
{
    const std::wstring path = PipeChannelListener::pipePath(name);
    const HANDLE pipe = connectWithin(path, timeoutMs);
    if (pipe == INVALID_HANDLE_VALUE)
        return std::nullopt;
    const auto closingPipe = qScopeGuard([pipe] { CloseHandle(pipe); });
    const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!event)
        return std::nullopt;
    const auto closingEvent = qScopeGuard([event] { CloseHandle(event); });
    if (!writeWithin(pipe, event, request, timeoutMs))
        return std::nullopt;
    return awaitAnswer ? readAnswer(pipe, event, timeoutMs) : QByteArray();
}
