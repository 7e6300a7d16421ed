#pragma once

class SoundOutput;

// The system's sound output (platform/linux or platform/windows), made
// only inside the sound module.
SoundOutput *makeSoundOutput();
