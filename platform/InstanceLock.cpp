#include "platform/InstanceLock.h"

#include <QCryptographicHash>
#include <QDir>

InstanceLock::InstanceLock(const QString &dataFolder)
    : m_lock(std::make_unique<QLockFile>(lockPathFor(dataFolder)))
{
}

InstanceLock::~InstanceLock() = default;

bool InstanceLock::acquire()
{
    if (m_lock->isLocked())
        return true;
    // A lock left by a crashed copy is recognised as stale by QLockFile
    // (its process is gone) and taken over.
    return m_lock->tryLock(0);
}

QString InstanceLock::lockPathFor(const QString &dataFolder)
{
    const QByteArray key = QDir::cleanPath(QDir(dataFolder).absolutePath()).toUtf8();
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16);
    return QDir::tempPath() + QStringLiteral("/murel-") + QString::fromLatin1(hash) + QStringLiteral(".lock");
}
