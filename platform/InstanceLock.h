#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// Guards against a second copy of the program using the same data folder.
// Keyed by that folder, so copies with different folders (tests) coexist.
class InstanceLock
{
public:
    explicit InstanceLock(const QString &dataFolder);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // True when this process now holds the lock (or already held it).
    bool acquire();

    static QString lockPathFor(const QString &dataFolder);

private:
    std::unique_ptr<QLockFile> m_lock;
};
