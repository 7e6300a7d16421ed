#pragma once

#include "platform/ModuleLibrary.h"

#include <QString>
#include <memory>

class NetworkKit;

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

private:
    ModuleLibrary m_library;
    bool m_tried = false;
    std::unique_ptr<NetworkKit> m_kit;
};
