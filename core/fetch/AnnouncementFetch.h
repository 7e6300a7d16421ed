#pragma once

#include <QByteArray>
#include <optional>

// The once-per-run announcement fetch as a state, without timers or
// files: what the connection monitor last saw, which step is due, and
// whether a download is under way. The announcer's timers only run the
// step it says is due, and the downloads report back here.
class AnnouncementFetch
{
public:
    enum class Step {
        None,    // no server to fetch from yet
        Text,    // the announcement text is to be fetched once on-line
        Compare, // the fetched text is to be compared with the installed one
        Done,    // this run's fetch has ended
    };
    enum class Action {
        Wait,          // nothing to do on this tick
        DownloadText,  // fetch the text; then textDone()
        DownloadMovie, // the text changed: fetch the movie; then movieDone()
        Finish,        // the fetch has ended without a download
    };

    // The monitor's answer; true when it differs from the one before (the
    // first answer always does).
    bool setOnline(bool online);
    bool online() const { return m_online.value_or(false); }

    // A server is known: the text is fetched as soon as the machine is
    // on-line. Once per run: an ended fetch is not armed again.
    void arm();

    Step step() const { return m_step; }
    bool busy() const { return m_busy; }
    // The system's network service is worth asking only while the fetch
    // is still to run.
    bool wantsService() const { return m_step == Step::Text; }

    // The text step's tick. Without a server it disarms and finishes.
    Action textStep(bool serverConfigured);
    // The text download ended: with a text, the comparison is due; failed
    // or empty, this run's fetch has ended (a text from an earlier run is
    // never compared in its place).
    void textDone(bool gotText);
    // Whether the comparison step's tick has work: the texts are read only
    // then.
    bool compareDue() const { return m_step == Step::Compare && !m_busy; }
    // The comparison step's tick, with the installed and the fetched text.
    Action compareStep(const QByteArray &installed, const QByteArray &fetched);
    // The movie download ended, well or not.
    void movieDone();

private:
    std::optional<bool> m_online;
    Step m_step = Step::None;
    bool m_busy = false;
};
