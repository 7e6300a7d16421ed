#include "announce/PlayerProcess.h"

#include "platform/ChildProcess.h"
#include "platform/ProcessMemory.h"

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

void PlayerProcess::start(const QString &program, const QString &movie, WId window, QSize size,
                          const QColor &background)
{
    const QStringList arguments = {
        QStringLiteral("--parent"),     QString::number(window),
        QStringLiteral("--size"),       QStringLiteral("%1x%2").arg(size.width()).arg(size.height()),
        QStringLiteral("--background"), background.name(),
        QStringLiteral("--"),           movie,
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
    using PlayerProtocol::MaxLineBytes;
    if (m_ended)
        return;
    while (m_process.canReadLine()) {
        const QByteArray line = m_process.readLine(MaxLineBytes + 1);
        if (line.size() > MaxLineBytes || !line.endsWith('\n') || !withinPace()) {
            // Broken: as good as crashed, and not read any further.
            killAll();
            return;
        }
        const auto status = PlayerProtocol::parse(line);
        if (!status || m_stopping)
            continue;
        m_silence.start();
        if (overBudget()) {
            tooBig();
            return;
        }
        if (status != m_status) {
            m_status = status;
            Q_EMIT statusChanged(*status);
        }
    }
    // A line that never ends is as broken as one too long.
    if (m_process.bytesAvailable() >= MaxLineBytes)
        killAll();
}

bool PlayerProcess::withinPace()
{
    if (!m_pace.isValid() || m_pace.hasExpired(PlayerProtocol::HeartbeatMs)) {
        m_pace.start();
        m_linesThisBeat = 0;
    }
    return ++m_linesThisBeat <= PlayerProtocol::MaxLinesPerHeartbeat;
}

bool PlayerProcess::overBudget()
{
    if (m_memoryLook.isValid() && !m_memoryLook.hasExpired(MemoryCheckMs))
        return false;
    m_memoryLook.start();
    const std::optional<qint64> held = processGroupMemory(m_pid);
    return held && *held > m_memoryBudget;
}

void PlayerProcess::tooBig()
{
    // The movie wants more than a strip's movie may have: ended at once,
    // and not one to try again.
    killAll();
    m_silence.stop();
    m_status = Status::Failed;
    Q_EMIT statusChanged(Status::Failed);
}

void PlayerProcess::hung()
{
    // Silent for too long: as good as crashed, unless it was busy taking
    // more memory than it may have.
    m_memoryLook.invalidate();
    if (overBudget())
        tooBig();
    else
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
