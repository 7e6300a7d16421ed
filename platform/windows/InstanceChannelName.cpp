#include "platform/InstanceChannel.h"

#include "platform/InstanceLock.h"

#include <QCryptographicHash>

// A pipe name: pipes have no folder. The data folder's path, which holds
// the user's profile, keeps users and folders apart.
QString InstanceChannel::serverNameFor(const QString &dataFolder)
{
    const QByteArray key = InstanceLock::canonicalFolder(dataFolder).toLower().toUtf8();
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("murel-") + QString::fromLatin1(hash);
}
