#include "announce/MovieStrip.h"

#include "announce/PlayerProcess.h"

MovieStrip::MovieStrip(QWidget *parent)
    : QWidget(parent)
{
    // Only the player's window is native: the rest of the main window stays
    // as it is.
    m_host = new QWidget(this);
    m_host->setObjectName(QStringLiteral("SF1host"));
    m_host->setAttribute(Qt::WA_NativeWindow);
    m_host->setAttribute(Qt::WA_DontCreateNativeAncestors);
    m_host->hide();
}

MovieStrip::~MovieStrip()
{
    // The player goes at once, killed: nothing is waited for on the way out.
    delete m_player;
}

qint64 MovieStrip::playerProcessId() const
{
    return m_player ? m_player->processId() : 0;
}

QString MovieStrip::playerStatus() const
{
    return m_status;
}

bool MovieStrip::showsMovie() const
{
    return m_host->isVisible();
}

void MovieStrip::setMovie(const QString &path)
{
    if (m_attempts.setMovie(MovieFile::at(path))) {
        // Another file: whatever played the old one goes.
        stopPlayer();
        m_status.clear();
        m_starts = 0;
    }
    startPlayer();
}

void MovieStrip::startPlayer()
{
    if (m_player || !isVisible() || !m_attempts.mayStart())
        return;
    if (m_program.isEmpty()) {
        // Installed without its player: the banner stays. Said once, so that
        // whoever wonders why no movie plays finds out from the log.
        if (!m_saidNoPlayer)
            qWarning("Movie player unavailable: murel-player is not installed beside murel or in lib/murel");
        m_saidNoPlayer = true;
        return;
    }
    auto *player = new PlayerProcess(this);
    if (m_hangMs > 0)
        player->setHangMs(m_hangMs);
    if (m_memoryBudget > 0)
        player->setMemoryBudget(m_memoryBudget);
    m_player = player;
    ++m_starts;
    connect(player, &PlayerProcess::statusChanged, this, [this](PlayerProtocol::Status status) {
        m_status = QString::fromLatin1(PlayerProtocol::line(status).trimmed());
        m_host->setVisible(status == PlayerProtocol::Status::Playing);
        if (status == PlayerProtocol::Status::Failed) {
            // Not this file again; the banner stays.
            m_attempts.unplayable();
            stopPlayer();
        }
        Q_EMIT playerStatusChanged(m_status);
    });
    connect(player, &PlayerProcess::ended, this, &MovieStrip::playerEnded);
    m_host->setGeometry(rect());
    player->start(m_program, m_attempts.movie().path, m_host->winId(), size(), palette().color(QPalette::Window));
}

void MovieStrip::stopPlayer()
{
    m_host->hide();
    // A movie found unplayable stays so; any other state was the player's.
    if (m_status != QLatin1String("failed"))
        m_status.clear();
    if (!m_player)
        return;
    // Let go of it: it ends by itself, or is ended, and then goes.
    PlayerProcess *player = m_player;
    m_player = nullptr;
    player->disconnect(this);
    connect(player, &PlayerProcess::ended, player, &QObject::deleteLater);
    player->stop();
}

void MovieStrip::playerEnded(bool unasked)
{
    if (m_player)
        m_player->deleteLater();
    m_player = nullptr;
    m_host->hide();
    if (m_status != QLatin1String("failed") && !m_status.isEmpty()) {
        m_status.clear();
        Q_EMIT playerStatusChanged(m_status);
    }
    if (unasked) {
        m_attempts.crashed();
        startPlayer();
    }
}

void MovieStrip::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    startPlayer();
}

void MovieStrip::hideEvent(QHideEvent *event)
{
    // Hidden strip or hidden window: the player goes, the movie is kept.
    stopPlayer();
    QWidget::hideEvent(event);
}

void MovieStrip::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_host->setGeometry(rect());
}
