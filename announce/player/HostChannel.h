#pragma once

#include "announce/player/PlayerProtocol.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

class QSocketNotifier;

// The player's side of the line protocol: its status to standard output,
// as it changes and as a heartbeat; "quit" or the end of standard input
// (the host has gone) ends the player. The heartbeat says that the page
// still runs, not only this process: every HeartbeatMs it asks for a sign
// of life (heartbeatDue), and writes the status once the page has given
// one (beat). A page that no longer answers leaves the host in silence.
class HostChannel final : public QObject
{
    Q_OBJECT
public:
    explicit HostChannel(QObject *parent = nullptr);

    void report(PlayerProtocol::Status status);
    void beat();

Q_SIGNALS:
    void quitRequested();
    void heartbeatDue();

private:
    void readInput();

    PlayerProtocol::Status m_status = PlayerProtocol::Status::Loading;
    QTimer m_heartbeat;
    QSocketNotifier *m_input = nullptr;
    QByteArray m_pending;
};
