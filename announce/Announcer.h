#pragma once

#include <QByteArray>
#include <QObject>
#include <functional>

class Form2;
class QNetworkAccessManager;

// The announcement side of the main window: the connection monitor, the
// once-per-run fetch of the announcement text and, when it changed, of the
// movie, and the check that shows the installed movie in the strip.
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

    explicit Announcer(Form2 &form2);
    ~Announcer() override;

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
    bool downloading() const { return m_busy; }

Q_SIGNALS:
    // The fetch of this run has ended, whatever its outcome.
    void fetchFinished();

private:
    void download(const QString &path, const QString &destination, qint64 cap, int deadlineMs,
                  std::function<void(bool)> done);
    // Puts the staged movie in place once it proves to be a whole movie of
    // a size the player can take; false when it is not, or cannot be put.
    bool installMovie(const QString &staged);
    QString dataPath(const QString &name) const;
    static QByteArray readText(const QString &path);
    static bool copyOver(const QString &from, const QString &to);

    Form2 &m_form2;
    QNetworkAccessManager *m_network = nullptr;
    bool m_busy = false;
    int m_stallMs;
    int m_deadlineMs = 0; // 0: each download's own
};
