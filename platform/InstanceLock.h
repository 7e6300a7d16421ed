#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// Guards against a second copy of the program using the same data folder.
// The lock lives in that folder, so every copy that uses it finds it
// whatever its temporary folder; only when the folder cannot be written is
// it kept in the user's runtime folder, keyed by the folder's canonical
// path, so that every spelling of the folder meets the same lock.
class InstanceLock
{
public:
    enum class Outcome {
        // This process holds the lock (or already held it).
        Acquired,
        // A live copy holds it.
        HeldByAnother,
        // No lock could be made at all: something other than a lock stands
        // in its place, or there is nowhere to write one.
        Unavailable,
    };

    explicit InstanceLock(const QString &dataFolder);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    Outcome acquire();
    // The lock file in use, once acquired.
    QString path() const;

    static QString lockPathFor(const QString &dataFolder);
    static QString fallbackLockPathFor(const QString &dataFolder);
    // A file in the user's runtime folder (see userRuntimeFolder) named
    // after a hash of the data folder's canonical path; empty when there is
    // no such folder.
    static QString runtimeFileFor(const QString &dataFolder, const QString &suffix);
    // The folder's path with every link resolved, the part that does not
    // exist yet resolved as far as it does: the same for every spelling of
    // the folder, before and after it is made.
    static QString canonicalFolder(const QString &dataFolder);

private:
    Outcome tryLockAt(const QString &path);

    QString m_dataFolder;
    std::unique_ptr<QLockFile> m_lock;
};
