#pragma once

#include "platform/SoundOutput.h"

#include <QByteArray>
#include <atomic>
#include <thread>

// Plays with PlaySound from memory on a thread of its own, after asking
// the audio session manager whether another process has an active
// session. An output going away stops what plays.
class WinSoundOutput final : public SoundOutput
{
public:
    WinSoundOutput() = default;
    ~WinSoundOutput() override;
    WinSoundOutput(const WinSoundOutput &) = delete;
    WinSoundOutput &operator=(const WinSoundOutput &) = delete;

    void play(const PcmClip &clip, bool unlessOthersPlay) override;

private:
    std::thread m_worker;
    std::atomic<bool> m_playing{false};
};
