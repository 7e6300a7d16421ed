#pragma once

#include "platform/ModuleLibrary.h"

#include <QString>
#include <memory>

class SoundOutput;

// The sound module (murel-sound), loaded on the first call to output()
// from modules/ in the player's folder, as the network module is. A module
// that is missing or cannot be loaded is tried once and said once; the
// program then goes on without sound.
class SoundModule
{
public:
    explicit SoundModule(QString exeFolder);
    ~SoundModule();

    SoundOutput *output();

private:
    ModuleLibrary m_library;
    bool m_tried = false;
    std::unique_ptr<SoundOutput> m_output;
};
