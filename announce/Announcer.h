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

    explicit Announcer(Form2 &form2);
    ~Announcer() override;

    // The timers' work (Timer5, Timer3, Timer4, Timer6).
    void connectionTick();
    void fetchStep1();
    void fetchStep2();
    void movieCheck();

    QString installedMovie() const;
    // How long a download may go without progress (tests shorten it).
    void setStallMs(int ms) { m_stallMs = ms; }
    bool downloading() const { return m_busy; }

Q_SIGNALS:
    // The fetch of this run has ended, whatever its outcome.
    void fetchFinished();

private:
    void download(const QString &path, const QString &destination, qint64 cap, std::function<void(bool)> done);
    QString dataPath(const QString &name) const;
    static QByteArray readText(const QString &path);
    static bool copyOver(const QString &from, const QString &to);

    Form2 &m_form2;
    QNetworkAccessManager *m_network = nullptr;
    bool m_busy = false;
    int m_stallMs;
};
