#pragma once

#include "core/AnnouncementFetch.h"
#include "core/Publisher.h"

#include <QByteArray>
#include <QObject>
#include <functional>

class Platform;
class QNetworkAccessManager;

// The announcement side of the program: the connection monitor, the
// once-per-run fetch of the announcement text and, when it changed, of the
// movie, and the check that finds the installed movie. The state lives in
// AnnouncementFetch; the main window shows it and runs the timers it asks
// for through the signals below.
class Announcer : public QObject
{
    Q_OBJECT
public:
    static inline const QString Online = QStringLiteral("متصل");
    static inline const QString Offline = QStringLiteral("غير متصل");
    static inline const QString ErrorMessage = QStringLiteral("Error connecting!");
    static inline const QString TextPath = QStringLiteral("/pro/advertisment/murel2/me.txt");
    static inline const QString MoviePath = QStringLiteral("/pro/advertisment/murel2/me.swf");
    static constexpr qint64 TextCap = 64 * 1024;
    static constexpr qint64 MovieCap = 64 * 1024 * 1024;
    // Time a download may take in all: the text is small; the movie must be
    // within reach of a slow but honest line.
    static constexpr int TextDeadlineMs = 60'000;
    static constexpr int MovieDeadlineMs = 10 * 60'000;

    Announcer(Platform &platform, const QString &dataFolder, QObject *parent);
    ~Announcer() override;

    void setPublisher(const Publisher &publisher) { m_publisher = publisher; }
    // A server is known: fetch once the machine is on-line (once per run).
    void arm();

    // The timers' work (Timer5, Timer3, Timer4, Timer6).
    void connectionTick();
    void fetchStep1();
    void fetchStep2();
    void movieCheck();

    QString installedMovie() const;
    // How long a download may go without progress, and in all (tests
    // shorten them).
    void setStallMs(int ms) { m_stallMs = ms; }
    void setDeadlineMs(int ms) { m_deadlineMs = ms; }

Q_SIGNALS:
    // The monitor's answer changed (the first answer always does).
    void connectionChanged(bool online);
    // The step that is due changed: the timer of each step runs while it is.
    void stepsChanged(bool textDue, bool compareDue);
    // The installed and the fetched text, as they are compared.
    void textsCompared(const QString &installed, const QString &fetched);
    // A download failed; the fetch goes on once this returns.
    void fetchFailed();
    // The installed movie, empty when there is none.
    void movieChecked(const QString &path);
    // The fetch of this run has ended, whatever its outcome.
    void fetchFinished();

private:
    void download(const QString &path, const QString &destination, qint64 cap, int deadlineMs,
                  std::function<void(bool)> done);
    void reportSteps();
    // Puts the staged movie in place once it proves to be a whole movie of
    // a size the player can take; false when it is not, or cannot be put.
    bool installMovie(const QString &staged);
    QString dataPath(const QString &name) const;
    static QByteArray readText(const QString &path);
    static bool copyOver(const QString &from, const QString &to);

    Platform &m_platform;
    QString m_dataFolder;
    Publisher m_publisher;
    AnnouncementFetch m_fetch;
    QNetworkAccessManager *m_network = nullptr;
    int m_stallMs;
    int m_deadlineMs = 0; // 0: each download's own
};
