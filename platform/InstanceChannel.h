#pragma once

#include "core/system/CommandLine.h"

#include <QObject>
#include <QString>

#include <functional>

class ChannelListener;

// The line between the copy that holds a data folder and a copy started
// on it later: the later one, refused, asks the running one to come to the
// front, so a user who starts the program again finds it rather than only
// a message; or it carries a request from the command line (pause,
// resume, show now), which the running copy confirms. Keyed by the data
// folder, like the lock. One line a call.
class InstanceChannel : public QObject
{
    Q_OBJECT
public:
    explicit InstanceChannel(const QString &dataFolder, QObject *parent = nullptr);
    ~InstanceChannel() override;

    // For the copy holding the lock: whatever is left at the name can only
    // be a crashed copy's, and is replaced. False when nothing could listen.
    bool listen();
    bool listening() const;

    // For a refused copy: asks the running one to come to the front. False
    // when none answered within timeoutMs (none listening, or a stale name).
    bool askToRaise(int timeoutMs = 1000) const;

    // The name the running copy listens on: a per-user place on each
    // system, from a hash of the folder's canonical path (see InstanceLock).
    static QString serverNameFor(const QString &dataFolder);

    // What the running copy did with a request handed to it.
    enum class Outcome {
        Done,
        // Done, but its choices could not be saved: they hold until that
        // copy ends.
        DoneNotSaved,
        // No copy took it within the time, or none understood it.
        NotTaken,
    };
    // For a copy started with a request: hands request (a line of the
    // command line's) to the running copy and waits for its answer up to
    // timeoutMs.
    Outcome send(const QByteArray &request, int timeoutMs = 2000) const;

    // A pause or a resume asked for on the command line, carried out at
    // once: true when it was saved too. Told before the caller is answered,
    // so it must not wait on the user (a message goes after).
    using PauseHandler = std::function<bool(const PauseLength &length)>;
    using ResumeHandler = std::function<bool()>;
    void setPauseHandler(PauseHandler handler) { m_pause = std::move(handler); }
    void setResumeHandler(ResumeHandler handler) { m_resume = std::move(handler); }

    // The words a refused copy sends.
    static inline const QByteArray RaiseRequest = QByteArrayLiteral("raise\n");
    static inline const QByteArray Confirmation = QByteArrayLiteral("ok\n");
    static inline const QByteArray NotSavedConfirmation = QByteArrayLiteral("not-saved\n");
    // No line is longer.
    static constexpr int MaxLine = 64;

Q_SIGNALS:
    void raiseRequested();
    void showNowRequested();

private:
    // What a caller's line asks for, told by the signals; returns the
    // confirmation when the line was understood and wants one.
    QByteArray answer(const QByteArray &line);

    QString m_name;
    PauseHandler m_pause;
    ResumeHandler m_resume;
    ChannelListener *m_listener = nullptr;
};
