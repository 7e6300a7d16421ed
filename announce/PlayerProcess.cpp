#include "announce/PlayerProcess.h"

#include "platform/ChildProcess.h"

PlayerProcess::PlayerProcess(QObject *parent)
    : QObject(parent)
{
    m_silence.setSingleShot(true);
    m_silence.setInterval(HangMs);
    connect(&m_silence, &QTimer::timeout, this, &PlayerProcess::hung);
    m_grace.setSingleShot(true);
    m_grace.setInterval(QuitGraceMs);
    connect(&m_grace, &QTimer::timeout, this, &PlayerProcess::killAll);

    // What the player says on its error output is the web engine's chatter:
    // let it through to ours.
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    startAsProcessGroup(m_process);
    connect(&m_process, &QProcess::started, this, [this] { m_pid = m_process.processId(); });
    connect(&m_process, &QProcess::readyReadStandardOutput, this, &PlayerProcess::readLines);
    connect(&m_process, &QProcess::finished, this, &PlayerProcess::finish);
    connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finish();
    });
}

PlayerProcess::~PlayerProcess()
{
    m_process.disconnect(this);
    if (m_process.state() != QProcess::NotRunning) {
        killAll();
        m_process.waitForFinished(1000);
    }
}

void PlayerProcess::start(const QString &program, const QString &movie, WId window, QSize size, const QColor &background)
{
    const QStringList arguments = {
        QStringLiteral("--parent"), QString::number(window),
        QStringLiteral("--size"), QStringLiteral("%1x%2").arg(size.width()).arg(size.height()),
        QStringLiteral("--background"), background.name(),
        QStringLiteral("--"), movie,
    };
    m_silence.start();
    m_process.start(program, arguments);
    // Known from the fork on: a player ended before it reported its start
    // still takes its group with it.
    m_pid = m_process.processId();
}

void PlayerProcess::stop()
{
    if (m_stopping || m_ended)
        return;
    m_stopping = true;
    m_silence.stop();
    if (m_process.state() == QProcess::NotRunning) {
        finish();
        return;
    }
    m_process.write(PlayerProtocol::Quit);
    m_process.write("\n");
    m_process.closeWriteChannel();
    m_grace.start();
}

void PlayerProcess::readLines()
{
    while (m_process.canReadLine()) {
        const auto status = PlayerProtocol::parse(m_process.readLine(256));
        if (!status || m_stopping)
            continue;
        m_silence.start();
        if (status != m_status) {
            m_status = status;
            Q_EMIT statusChanged(*status);
        }
    }
    // A player that writes anything but lines is not listened to further.
    if (m_process.bytesAvailable() > 256)
        m_process.readAll();
}

void PlayerProcess::hung()
{
    // Silent for too long: as good as crashed.
    killAll();
}

void PlayerProcess::killAll()
{
    m_process.kill();
    killProcessGroup(m_pid);
}

void PlayerProcess::finish()
{
    if (m_ended)
        return;
    m_ended = true;
    m_silence.stop();
    m_grace.stop();
    // Whatever the player started and left behind goes with it.
    killProcessGroup(m_pid);
    Q_EMIT ended(!m_stopping);
}
