#include "platform/InstanceLock.h"

#include "core/settings/RegularFile.h"
#include "core/system/DataFiles.h"
#include "platform/RuntimeFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

InstanceLock::InstanceLock(const QString &dataFolder)
    : m_dataFolder(dataFolder)
{
}

InstanceLock::~InstanceLock() = default;

InstanceLock::Outcome InstanceLock::acquire()
{
    if (m_lock && m_lock->isLocked())
        return Outcome::Acquired;
    // A running copy has made the folder; when it is missing no copy can
    // hold a lock in it, and the start-up would make it next anyway.
    QDir().mkpath(m_dataFolder);
    // Only a plain file can be a lock: a FIFO, a device or a link there is
    // no copy's and goes. A folder is nobody's to remove, and no lock can be
    // made in its place.
    const QString path = lockPathFor(m_dataFolder);
    if (!clearForRegularFile(path))
        return Outcome::Unavailable;
    const Outcome here = tryLockAt(path);
    if (here != Outcome::Unavailable)
        return here;
    // The folder cannot be written (nor, then, the record): every copy
    // comes here for it, and meets the others in the runtime folder.
    const QString fallback = fallbackLockPathFor(m_dataFolder);
    if (fallback.isEmpty() || !clearForRegularFile(fallback))
        return Outcome::Unavailable;
    return tryLockAt(fallback);
}

InstanceLock::Outcome InstanceLock::tryLockAt(const QString &path)
{
    // A lock left by a crashed copy is recognised as stale by QLockFile
    // (its process is gone) and taken over.
    m_lock = std::make_unique<QLockFile>(path);
    if (m_lock->tryLock(0))
        return Outcome::Acquired;
    return m_lock->error() == QLockFile::LockFailedError ? Outcome::HeldByAnother : Outcome::Unavailable;
}

QString InstanceLock::path() const
{
    return m_lock ? m_lock->fileName() : QString();
}

QString InstanceLock::lockPathFor(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(QLatin1String(DataFiles::Lock));
}

QString InstanceLock::fallbackLockPathFor(const QString &dataFolder)
{
    return runtimeFileFor(dataFolder, QStringLiteral(".lock"));
}

QString InstanceLock::runtimeFileFor(const QString &dataFolder, const QString &suffix)
{
    const QString folder = userRuntimeFolder();
    if (folder.isEmpty())
        return QString();
    const QByteArray key = canonicalFolder(dataFolder).toUtf8();
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16);
    return folder + QStringLiteral("/murel-") + QString::fromLatin1(hash) + suffix;
}

QString InstanceLock::canonicalFolder(const QString &dataFolder)
{
    QString existing = QDir::cleanPath(QDir(dataFolder).absolutePath());
    QStringList missing;
    for (;;) {
        const QFileInfo info(existing);
        const QString canonical = info.canonicalFilePath();
        if (!canonical.isEmpty()) {
            missing.prepend(canonical);
            return QDir::cleanPath(missing.join(u'/'));
        }
        const QString parent = info.absolutePath();
        if (parent == existing)
            return QDir::cleanPath(QDir(dataFolder).absolutePath());
        missing.prepend(info.fileName());
        existing = parent;
    }
}
