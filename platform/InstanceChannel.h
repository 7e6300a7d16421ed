#pragma once

#include "core/CommandLine.h"

#include <QObject>
#include <QString>

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

    // For a copy started with a request: hands request (a line of the
    // command line's) to the running copy. True once that copy confirmed
    // it within timeoutMs.
    bool send(const QByteArray &request, int timeoutMs = 2000) const;

    // The words a refused copy sends.
    static inline const QByteArray RaiseRequest = QByteArrayLiteral("raise\n");
    static inline const QByteArray Confirmation = QByteArrayLiteral("ok\n");
    // No line is longer.
    static constexpr int MaxLine = 64;

Q_SIGNALS:
    void raiseRequested();
    void pauseRequested(PauseSpan length);
    void resumeRequested();
    void showNowRequested();

private:
    // What a caller's line asks for, told by the signals; returns the
    // confirmation when the line was understood and wants one.
    QByteArray answer(const QByteArray &line);

    QString m_name;
    ChannelListener *m_listener = nullptr;
};
