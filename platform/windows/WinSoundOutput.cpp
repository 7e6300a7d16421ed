#include "platform/windows/WinSoundOutput.h"

#include "platform/SoundOutputMaker.h"

#include <windows.h>

#include <audiopolicy.h>
#include <mmdeviceapi.h>
#include <mmsystem.h>

namespace {

template <typename T> struct Released
{
    T *p = nullptr;
    ~Released()
    {
        if (p)
            p->Release();
    }
    T **operator&() { return &p; }
    T *operator->() const { return p; }
    explicit operator bool() const { return p; }
};

// Whether a process other than this one has an active audio session on
// any output device. Unknown (an error on the way) counts as no.
bool othersPlaying()
{
    Released<IMMDeviceEnumerator> devices;
    if (FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL, __uuidof(IMMDeviceEnumerator),
                                reinterpret_cast<void **>(&devices))))
        return false;
    Released<IMMDeviceCollection> outputs;
    if (FAILED(devices->EnumAudioEndpoints(eRender, DEVICE_STATE_ACTIVE, &outputs)))
        return false;
    UINT count = 0;
    outputs->GetCount(&count);
    const DWORD self = GetCurrentProcessId();
    for (UINT d = 0; d < count; ++d) {
        Released<IMMDevice> device;
        Released<IAudioSessionManager2> manager;
        Released<IAudioSessionEnumerator> sessions;
        if (FAILED(outputs->Item(d, &device))
            || FAILED(device->Activate(__uuidof(IAudioSessionManager2), CLSCTX_ALL, nullptr,
                                       reinterpret_cast<void **>(&manager)))
            || FAILED(manager->GetSessionEnumerator(&sessions)))
            continue;
        int n = 0;
        sessions->GetCount(&n);
        for (int i = 0; i < n; ++i) {
            Released<IAudioSessionControl> control;
            Released<IAudioSessionControl2> control2;
            AudioSessionState state = AudioSessionStateInactive;
            DWORD pid = 0;
            if (FAILED(sessions->GetSession(i, &control)) || FAILED(control->GetState(&state))
                || state != AudioSessionStateActive
                || FAILED(
                    control->QueryInterface(__uuidof(IAudioSessionControl2), reinterpret_cast<void **>(&control2)))
                || FAILED(control2->GetProcessId(&pid)))
                continue;
            // The system's sounds session has no process of its own.
            if (pid != self && control2->IsSystemSoundsSession() != S_OK)
                return true;
        }
    }
    return false;
}

} // namespace

WinSoundOutput::~WinSoundOutput()
{
    // Stops a sound of this process that still plays.
    PlaySoundW(nullptr, nullptr, 0);
    if (m_worker.joinable())
        m_worker.join();
}

void WinSoundOutput::play(const PcmClip &clip, bool unlessOthersPlay)
{
    if (m_playing || clip.samples.isEmpty())
        return;
    if (m_worker.joinable())
        m_worker.join();
    m_playing = true;
    m_worker = std::thread([this, clip, unlessOthersPlay] {
        const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
        if (!(unlessOthersPlay && othersPlaying())) {
            const QByteArray wav = clip.wav();
            // Synchronous on this thread: the bytes stay alive while they play.
            PlaySoundW(reinterpret_cast<LPCWSTR>(wav.constData()), nullptr, SND_MEMORY | SND_NODEFAULT);
        }
        if (com)
            CoUninitialize();
        m_playing = false;
    });
}

SoundOutput *makeSoundOutput()
{
    return new WinSoundOutput;
}
