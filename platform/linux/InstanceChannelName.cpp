#include "platform/InstanceChannel.h"

#include "platform/InstanceLock.h"

// A full path: a bare name would put the socket in the shared temporary
// folder, where another user could take it first. The runtime folder is
// the user's alone; its path stays well within a socket address.
QString InstanceChannel::serverNameFor(const QString &dataFolder)
{
    return InstanceLock::runtimeFileFor(dataFolder, QStringLiteral(".sock"));
}
