#include "platform/linux/PulseSoundOutput.h"

#include "platform/SoundOutputMaker.h"

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// Long enough for a local server that answers at all; a server that hangs
// costs the card its sound, nothing more.
constexpr auto StepBound = std::chrono::milliseconds(500);

// One connection to the server with its own main loop, run on the
// calling thread a bounded while at a time.
class Connection
{
public:
    explicit Connection(const std::atomic<bool> &stop)
        : m_stop(stop)
        , m_loop(pa_mainloop_new())
    {
        pa_proplist *props = pa_proplist_new();
        pa_proplist_sets(props, PA_PROP_APPLICATION_NAME, "Murel");
        pa_proplist_sets(props, PA_PROP_APPLICATION_ID, "murel");
        pa_proplist_sets(props, PA_PROP_MEDIA_ROLE, "event");
        m_context = pa_context_new_with_proplist(pa_mainloop_get_api(m_loop), "Murel", props);
        pa_proplist_free(props);
    }
    ~Connection()
    {
        if (m_stream) {
            pa_stream_disconnect(m_stream);
            pa_stream_unref(m_stream);
        }
        if (m_context) {
            pa_context_disconnect(m_context);
            pa_context_unref(m_context);
        }
        pa_mainloop_free(m_loop);
    }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // Runs the loop until done() or the deadline (or the output's end);
    // what done() says then.
    bool runUntil(const std::function<bool()> &done, Clock::time_point deadline)
    {
        while (!done()) {
            const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
            if (left.count() <= 0 || m_stop)
                return false;
            // At most a tenth of a second at a time, to hear the end.
            const auto slice = std::min<long long>(left.count(), 100'000);
            if (pa_mainloop_prepare(m_loop, int(slice)) < 0 || pa_mainloop_poll(m_loop) < 0
                || pa_mainloop_dispatch(m_loop) < 0)
                return false;
        }
        return true;
    }

    bool connect()
    {
        // No server is started for us: none running means no sound.
        if (!m_context || pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
            return false;
        const bool settled =
            runUntil([this] { return !PA_CONTEXT_IS_GOOD(pa_context_get_state(m_context)) || ready(); },
                     Clock::now() + StepBound);
        return settled && ready();
    }

    // Whether a playback stream of another process is running (not corked)
    // now; also true when the server does not say in time.
    bool othersPlaying()
    {
        struct Answer
        {
            bool done = false;
            bool others = false;
        } answer;
        auto each = [](pa_context *, const pa_sink_input_info *info, int eol, void *data) {
            auto *a = static_cast<Answer *>(data);
            if (eol) {
                a->done = true;
                return;
            }
            if (!info || info->corked)
                return;
            // Our own earlier sound is no other program's.
            const char *pid = pa_proplist_gets(info->proplist, PA_PROP_APPLICATION_PROCESS_ID);
            if (pid && std::strtol(pid, nullptr, 10) == long(getpid()))
                return;
            a->others = true;
        };
        pa_operation *op = pa_context_get_sink_input_info_list(m_context, each, &answer);
        if (!op)
            return true;
        const bool answered = runUntil([&answer] { return answer.done; }, Clock::now() + StepBound);
        if (!answered)
            pa_operation_cancel(op);
        pa_operation_unref(op);
        return !answered || answer.others;
    }

    void play(const PcmClip &clip)
    {
        pa_sample_spec sampleFormat;
        sampleFormat.format = PA_SAMPLE_S16LE;
        sampleFormat.rate = uint32_t(clip.sampleRate);
        sampleFormat.channels = uint8_t(clip.channels);
        m_stream = pa_stream_new(m_context, "Murel", &sampleFormat, nullptr);
        if (!m_stream
            || pa_stream_connect_playback(m_stream, nullptr, nullptr, PA_STREAM_NOFLAGS, nullptr, nullptr) < 0)
            return;
        auto streamState = [this] { return pa_stream_get_state(m_stream); };
        if (!runUntil([&] { return !PA_STREAM_IS_GOOD(streamState()) || streamState() == PA_STREAM_READY; },
                      Clock::now() + StepBound)
            || streamState() != PA_STREAM_READY)
            return;
        // The whole clip, as fast as the server takes it, then its drain:
        // no longer than the clip lasts and a margin.
        const auto deadline = Clock::now() + std::chrono::milliseconds(clip.durationMs()) + 2 * StepBound;
        const char *data = clip.samples.constData();
        size_t left = size_t(clip.samples.size());
        while (left > 0) {
            if (!runUntil([&] { return !PA_STREAM_IS_GOOD(streamState()) || pa_stream_writable_size(m_stream) > 0; },
                          deadline)
                || streamState() != PA_STREAM_READY)
                return;
            const size_t n = std::min(left, pa_stream_writable_size(m_stream));
            if (pa_stream_write(m_stream, data, n, nullptr, 0, PA_SEEK_RELATIVE) < 0)
                return;
            data += n;
            left -= n;
        }
        bool drained = false;
        pa_operation *op = pa_stream_drain(
            m_stream, [](pa_stream *, int, void *done) { *static_cast<bool *>(done) = true; }, &drained);
        if (!op)
            return;
        runUntil([&drained] { return drained; }, deadline);
        if (!drained)
            pa_operation_cancel(op);
        pa_operation_unref(op);
    }

private:
    bool ready() const { return pa_context_get_state(m_context) == PA_CONTEXT_READY; }

    const std::atomic<bool> &m_stop;
    pa_mainloop *m_loop = nullptr;
    pa_context *m_context = nullptr;
    pa_stream *m_stream = nullptr;
};

} // namespace

PulseSoundOutput::~PulseSoundOutput()
{
    m_stop = true;
    if (m_worker.joinable())
        m_worker.join();
}

void PulseSoundOutput::play(const PcmClip &clip, bool unlessOthersPlay)
{
    if (m_playing || clip.samples.isEmpty())
        return;
    if (m_worker.joinable())
        m_worker.join(); // ended already: m_playing is false
    m_playing = true;
    m_worker = std::thread([this, clip, unlessOthersPlay] {
        {
            Connection server(m_stop);
            if (server.connect() && !(unlessOthersPlay && server.othersPlaying()))
                server.play(clip);
        }
        m_playing = false;
    });
}

SoundOutput *makeSoundOutput()
{
    return new PulseSoundOutput;
}
