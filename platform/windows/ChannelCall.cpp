#include "platform/ChannelCall.h"

#include "platform/InstanceChannel.h"

#include <QLocalSocket>

std::optional<QByteArray> callChannel(const QString &name, const QByteArray &request, bool awaitAnswer, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return std::nullopt;
    socket.write(request);
    if (!socket.waitForBytesWritten(timeoutMs))
        return std::nullopt;
    QByteArray answer;
    while (awaitAnswer && !answer.endsWith('\n') && answer.size() <= InstanceChannel::MaxLine) {
        if (!socket.bytesAvailable() && !socket.waitForReadyRead(timeoutMs))
            break;
        answer += socket.read(InstanceChannel::MaxLine + 1);
    }
    socket.disconnectFromServer();
    return answer;
}
