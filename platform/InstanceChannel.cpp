#include "platform/InstanceChannel.h"

#include "platform/ChannelCall.h"
#include "platform/ChannelListener.h"

InstanceChannel::InstanceChannel(const QString &dataFolder, QObject *parent)
    : QObject(parent)
    , m_name(serverNameFor(dataFolder))
{
}

InstanceChannel::~InstanceChannel() = default;

bool InstanceChannel::listen()
{
    if (!m_listener)
        m_listener = ChannelListener::create([this](const QByteArray &line) { return answer(line); }, this);
    return m_listener->listening() || m_listener->listen(m_name);
}

bool InstanceChannel::listening() const
{
    return m_listener && m_listener->listening();
}

QByteArray InstanceChannel::answer(const QByteArray &line)
{
    if (line == RaiseRequest) {
        Q_EMIT raiseRequested();
        return {};
    }
    const QByteArray words = line.trimmed();
    if (words == "resume") {
        Q_EMIT resumeRequested();
    } else if (words == "show-now") {
        Q_EMIT showNowRequested();
    } else if (words.startsWith("pause ")) {
        const std::optional<PauseSpan> length = parsePauseLength(QString::fromLatin1(words.mid(6)));
        if (!length)
            return {};
        Q_EMIT pauseRequested(*length);
    } else {
        return {};
    }
    return Confirmation;
}

bool InstanceChannel::send(const QByteArray &request, int timeoutMs) const
{
    return callChannel(m_name, request, true, timeoutMs) == Confirmation;
}

bool InstanceChannel::askToRaise(int timeoutMs) const
{
    // Written is enough: the running copy reads it from its own loop, which
    // this one does not wait for.
    return callChannel(m_name, RaiseRequest, false, timeoutMs).has_value();
}
