#pragma once

#include "platform/SoundOutput.h"

#include <atomic>
#include <thread>

// Plays through the PulseAudio server (or PipeWire's Pulse server) with
// libpulse, on a thread of its own: the user-interface thread never waits
// on the server. Each step (the connection, the question about other
// programs' streams, the stream's start) waits at most a short bound, the
// playing itself no longer than the clip and a margin, and an output going
// away stops what plays.
class PulseSoundOutput final : public SoundOutput
{
public:
    PulseSoundOutput() = default;
    ~PulseSoundOutput() override;
    PulseSoundOutput(const PulseSoundOutput &) = delete;
    PulseSoundOutput &operator=(const PulseSoundOutput &) = delete;

    void play(const PcmClip &clip, bool unlessOthersPlay) override;

private:
    std::thread m_worker;
    std::atomic<bool> m_playing{false};
    std::atomic<bool> m_stop{false};
};
