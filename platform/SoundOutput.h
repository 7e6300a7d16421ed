#pragma once

#include "core/sound/PcmClip.h"

// What plays a card's sound: the desktop's own sound server. The classes
// that do it (and the sound libraries behind them) are a module of their
// own, loaded only once a sound is to be played: while sound is off none
// of it is in the program's memory.
class SoundOutput
{
public:
    virtual ~SoundOutput() = default;

    // Starts playing clip and returns at once; the server is waited on
    // elsewhere, each wait bounded. With unlessOthersPlay the clip is
    // dropped when another program plays audio at that moment (or when the
    // server does not say in time). Without a sound server nothing plays,
    // silently. A clip asked for while one still plays is dropped: two
    // cards' sounds never overlap.
    virtual void play(const PcmClip &clip, bool unlessOthersPlay) = 0;
};

// The one function the module exports: a new output, which the caller owns.
using SoundOutputFactory = SoundOutput *(*)();
inline constexpr char SoundOutputFactoryName[] = "murel_sound_output";
