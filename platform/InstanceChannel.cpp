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
    const auto confirm = [](bool saved) { return saved ? Confirmation : NotSavedConfirmation; };
    if (words == "resume")
        return m_resume ? confirm(m_resume()) : QByteArray();
    if (words == "show-now") {
        Q_EMIT showNowRequested();
        return Confirmation;
    }
    if (words.startsWith("pause ")) {
        const std::optional<PauseLength> length = parsePauseLength(QString::fromLatin1(words.mid(6)));
        if (!length || !m_pause)
            return {};
        return confirm(m_pause(*length));
    }
    return {};
}

InstanceChannel::Outcome InstanceChannel::send(const QByteArray &request, int timeoutMs) const
{
    const std::optional<QByteArray> reply = callChannel(m_name, request, true, timeoutMs);
    if (reply == Confirmation)
        return Outcome::Done;
    if (reply == NotSavedConfirmation)
        return Outcome::DoneNotSaved;
    return Outcome::NotTaken;
}

bool InstanceChannel::askToRaise(int timeoutMs) const
{
    // Written is enough: the running copy reads it from its own loop, which
    // this one does not wait for.
    return callChannel(m_name, RaiseRequest, false, timeoutMs).has_value();
}
