#pragma once

#include "core/fetch/AnnouncementFetch.h"
#include "core/fetch/Publisher.h"

#include <QByteArray>
#include <QObject>
#include <functional>

class Clock;
class MovieStrip;
class PeriodicTimer;
class Platform;

// The announcement side of the program: the connection monitor, the
// once-per-run fetch of the announcement text and, when it changed, of the
// movie, and the check that puts the installed movie on the strip. The
// fetch's state lives in AnnouncementFetch; the timers here run on the
// clock they are given, each fetch step's only while that step is due.
class Announcer : public QObject
{
    Q_OBJECT
public:
    static inline const QString ErrorMessage = QStringLiteral("Error connecting!");
    static inline const QString TextPath = QStringLiteral("/pro/advertisment/murel2/me.txt");
    static inline const QString MoviePath = QStringLiteral("/pro/advertisment/murel2/me.swf");
    static constexpr qint64 TextCap = 64 * 1024;
    static constexpr qint64 MovieCap = 64 * 1024 * 1024;
    // Time a download may take in all: the text is small; the movie must be
    // within reach of a slow but honest line.
    static constexpr int TextDeadlineMs = 60'000;
    static constexpr int MovieDeadlineMs = 10 * 60'000;
    // With a server to fetch from, the connection is looked at once a
    // second while the network service does not report its every change
    // (and at once when it reports one); the installed movie
    // once a second while the strip's window is up (coarse timers, which
    // wake together). The fetch's text step ticks every 100 ms and its
    // comparison every 10 ms while due.
    static constexpr int ConnectionCheckMs = 1000;
    static constexpr int MovieCheckMs = 1000;
    static constexpr int TextStepMs = 100;
    static constexpr int CompareStepMs = 10;

    Announcer(Platform &platform, Clock &clock, MovieStrip &strip, const QString &dataFolder, QObject *parent);
    ~Announcer() override;

    // A server that becomes known once the checks run arms the fetch.
    void setPublisher(const Publisher &publisher);
    // Shows the installed movie at once, begins the movie check, and the
    // connection check and the fetch when a server is known.
    void start();

    // The monitor's last answer; off-line until it gave one.
    bool online() const { return m_fetch.online(); }
    QString installedMovie() const;
    // How long a download may go without progress, and in all (tests
    // shorten them).
    void setStallMs(int ms) { m_stallMs = ms; }
    void setDeadlineMs(int ms) { m_deadlineMs = ms; }

Q_SIGNALS:
    // The monitor's answer changed (the first answer always does).
    void connectionChanged(bool online);
    // A step of the fetch failed, which ends it; fetchFinished() follows.
    void fetchFailed();
    // The fetch of this run has ended, whatever its outcome.
    void fetchFinished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A server is known: the connection is checked from now on.
    void watchConnection();
    // Fetch once the machine is on-line (once per run).
    void arm();
    // The timers' work.
    void connectionTick();
    void textStep();
    void compareStep();
    void movieCheck();
    // Runs the timer of each fetch step exactly while that step has work.
    void updateSteps();
    void download(const QString &path, const QString &destination, qint64 cap, int deadlineMs,
                  std::function<void(bool)> done);
    // The movie step ended: installed (checked whole and put in place), or
    // not.
    void movieDone(bool installed);
    // Tells that this run's fetch has ended, after its one message when it
    // failed.
    void endFetch(bool ok);
    QString dataPath(const char *name) const;
    static QByteArray readText(const QString &path);
    static bool copyOver(const QString &from, const QString &to);

    Platform &m_platform;
    MovieStrip &m_strip;
    QString m_dataFolder;
    Publisher m_publisher;
    AnnouncementFetch m_fetch;
    int m_stallMs;
    int m_deadlineMs = 0; // 0: each download's own
    PeriodicTimer *m_connectionTimer;
    PeriodicTimer *m_textTimer;
    PeriodicTimer *m_compareTimer;
    PeriodicTimer *m_movieTimer;
    bool m_started = false;
};
