#include "announce/player/HostChannel.h"

#include <QSocketNotifier>

#include <cstdio>
#include <unistd.h>

HostChannel::HostChannel(QObject *parent)
    : QObject(parent)
{
    m_heartbeat.setInterval(PlayerProtocol::HeartbeatMs);
    connect(&m_heartbeat, &QTimer::timeout, this, &HostChannel::heartbeatDue);
    m_heartbeat.start();
    beat();

    m_input = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(m_input, &QSocketNotifier::activated, this, &HostChannel::readInput);
}

void HostChannel::readInput()
{
    char buffer[256];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n <= 0) {
        // The host has gone, or closed its end: nobody to play for.
        m_input->setEnabled(false);
        Q_EMIT quitRequested();
        return;
    }
    m_pending.append(buffer, n);
    qsizetype end;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        const QByteArray line = m_pending.left(end).trimmed();
        m_pending.remove(0, end + 1);
        if (line == PlayerProtocol::Quit) {
            Q_EMIT quitRequested();
            return;
        }
    }
    // Nothing else is ever sent: an endless line is not kept.
    if (m_pending.size() > 1024)
        m_pending.clear();
}

void HostChannel::report(PlayerProtocol::Status status)
{
    if (status == m_status)
        return;
    m_status = status;
    beat();
}

void HostChannel::beat()
{
    const QByteArray line = PlayerProtocol::line(m_status);
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fflush(stdout);
}
