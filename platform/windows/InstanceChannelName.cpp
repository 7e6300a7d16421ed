#include "platform/InstanceChannel.h"

#include <QCryptographicHash>
#include <QDir>

// A pipe name: pipes have no folder. The data folder's path, which holds
// the user's profile, keeps users and folders apart.
QString InstanceChannel::serverNameFor(const QString &dataFolder)
{
    const QByteArray key = QDir::cleanPath(QDir(dataFolder).absolutePath()).toLower().toUtf8();
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("murel-") + QString::fromLatin1(hash);
}
