#pragma once

#include <QString>
#include <memory>

class NetworkKit;
class QLibrary;

// The network module (murel-network), loaded on the first call to kit()
// from modules/ in the player's folder: beside the program in the build
// tree, lib/murel once installed. A module that is missing or cannot be loaded
// is tried once and said once; the program then goes on without the
// network (no download, never on-line).
class NetworkModule
{
public:
    explicit NetworkModule(QString exeFolder);
    ~NetworkModule();

    NetworkKit *kit();

    // The module's file under folder, a folder the player may be in.
    static QString fileIn(const QString &folder);

private:
    QString m_exeFolder;
    bool m_tried = false;
    std::unique_ptr<QLibrary> m_library;
    std::unique_ptr<NetworkKit> m_kit;
};
