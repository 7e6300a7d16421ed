#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// The line between the copy that holds a data folder and a copy started
// on it later: the later one, refused, asks the running one to come to the
// front, so a user who starts the program again finds it rather than only
// a message. Keyed by the data folder, like the lock.
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

    // The words a refused copy sends.
    static inline const QByteArray RaiseRequest = QByteArrayLiteral("raise\n");

Q_SIGNALS:
    void raiseRequested();

private:
    void accept();
    void read(QLocalSocket *socket);

    QString m_name;
    QLocalServer *m_server = nullptr;
};
