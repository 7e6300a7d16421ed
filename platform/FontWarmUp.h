#pragma once

#include <thread>

// Reads the desktop's font configuration on a thread of its own while the
// application object connects to the display. The first text the main
// window lays out then finds it ready, instead of waiting for dozens of
// configuration files to be parsed on the way to the screen. Started before
// the application object; finish() waits for it (long done by then on any
// machine with a second core) and must come before any text is measured.
class FontWarmUp
{
public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp &) = delete;
    FontWarmUp &operator=(const FontWarmUp &) = delete;

    void finish();

private:
    std::thread m_thread;
};
