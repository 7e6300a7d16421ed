#include "platform/InstanceChannel.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

// A full path: a bare name would put the socket in the shared temporary
// folder, where another user could take it first. The runtime folder is
// the user's alone; its path stays well within a socket address.
QString InstanceChannel::serverNameFor(const QString &dataFolder)
{
    const QByteArray key = QDir::cleanPath(QDir(dataFolder).absolutePath()).toUtf8();
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16);
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/murel-") + QString::fromLatin1(hash) + QStringLiteral(".sock");
}
