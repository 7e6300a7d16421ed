// The sound module's one entry point, found by name when the program
// loads the module.
#include "platform/SoundOutput.h"
#include "platform/SoundOutputMaker.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT SoundOutput *murel_sound_output()
{
    return makeSoundOutput();
}
