#include "platform/InstanceLock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

InstanceLock::InstanceLock(const QString &dataFolder)
    : m_dataFolder(dataFolder)
{
}

InstanceLock::~InstanceLock() = default;

bool InstanceLock::acquire()
{
    if (m_lock && m_lock->isLocked())
        return true;
    // A running copy has made the folder; when it is missing no copy can
    // hold a lock in it, and the start-up would make it next anyway.
    QDir().mkpath(m_dataFolder);
    // Only a plain file can be a lock: anything else there (a FIFO would
    // hold up the reading of its owner) is no copy's and goes.
    const QString path = lockPathFor(m_dataFolder);
    const QFileInfo existing(path);
    if ((existing.exists() || existing.isSymLink()) && !existing.isFile())
        QFile::remove(path);
    // A lock left by a crashed copy is recognised as stale by QLockFile
    // (its process is gone) and taken over.
    m_lock = std::make_unique<QLockFile>(path);
    if (m_lock->tryLock(0))
        return true;
    if (m_lock->error() == QLockFile::LockFailedError)
        return false;
    // The folder cannot be written (nor, then, the record): every copy
    // comes here for it, and meets the others in the runtime folder.
    m_lock = std::make_unique<QLockFile>(fallbackLockPathFor(m_dataFolder));
    return m_lock->tryLock(0);
}

QString InstanceLock::path() const
{
    return m_lock ? m_lock->fileName() : QString();
}

QString InstanceLock::lockPathFor(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(QStringLiteral("murel.lock"));
}

QString InstanceLock::fallbackLockPathFor(const QString &dataFolder)
{
    return runtimeFileFor(dataFolder, QStringLiteral(".lock"));
}

QString InstanceLock::runtimeFileFor(const QString &dataFolder, const QString &suffix)
{
    const QByteArray key = QDir::cleanPath(QDir(dataFolder).absolutePath()).toUtf8();
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16);
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/murel-") + QString::fromLatin1(hash) + suffix;
}
