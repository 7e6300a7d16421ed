#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// Guards against a second copy of the program using the same data folder.
// The lock lives in that folder, so every copy that uses it finds it
// whatever its temporary folder; only when the folder cannot be written is
// it kept in the user's runtime folder, keyed by the folder's path.
class InstanceLock
{
public:
    explicit InstanceLock(const QString &dataFolder);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // True when this process now holds the lock (or already held it).
    bool acquire();
    // The lock file in use, once acquired.
    QString path() const;

    static QString lockPathFor(const QString &dataFolder);
    static QString fallbackLockPathFor(const QString &dataFolder);
    // A file in the user's runtime folder (the temporary folder without
    // one) named after a hash of the data folder's path: one per folder,
    // whatever spelling of the path a copy was given.
    static QString runtimeFileFor(const QString &dataFolder, const QString &suffix);

private:
    QString m_dataFolder;
    std::unique_ptr<QLockFile> m_lock;
};
