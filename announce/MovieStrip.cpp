#include "announce/MovieStrip.h"

#include "announce/player/MoviePlayer.h"

#include <QFileInfo>
#include <QPluginLoader>

MovieStrip::MovieStrip(QWidget *parent)
    : QWidget(parent)
{
}

MovieStrip::~MovieStrip()
{
    release();
}

QString MovieStrip::playerStatus() const
{
    return m_player ? m_player->status() : QString();
}

void MovieStrip::setMovie(const QString &path)
{
    const QFileInfo info(path);
    const bool same = path == m_path && info.size() == m_size && info.lastModified() == m_modified;
    if (same && (m_player || !isVisible()))
        return;
    m_path = path;
    m_size = info.size();
    m_modified = info.lastModified();
    play();
}

void MovieStrip::play()
{
    if (m_path.isEmpty() || !isVisible() || m_noPlayer)
        return;
    if (!m_player) {
        m_loader = std::make_unique<QPluginLoader>(m_pluginFile);
        auto *factory = qobject_cast<MoviePlayerFactory *>(m_loader->instance());
        if (!factory) {
            // No player to be had this run: the banner stays.
            qWarning("Movie player unavailable: %s", qPrintable(m_loader->errorString()));
            m_loader.reset();
            m_noPlayer = true;
            hide();
            return;
        }
        const QString files = QFileInfo(m_loader->fileName()).absolutePath() + QStringLiteral("/player");
        m_player = factory->createPlayer(this, files);
        m_player->widget()->setGeometry(rect());
        m_player->widget()->show();
        m_player->onStatus([this](const QString &status) { Q_EMIT playerStatusChanged(status); });
    }
    ++m_loads;
    m_player->load(m_path);
}

void MovieStrip::release()
{
    m_player.reset();
    if (m_loader) {
        m_loader->unload();
        m_loader.reset();
    }
}

void MovieStrip::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    play();
}

void MovieStrip::hideEvent(QHideEvent *event)
{
    // Hidden strip or hidden window: the player goes, the movie is kept.
    release();
    QWidget::hideEvent(event);
}

void MovieStrip::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_player)
        m_player->widget()->setGeometry(rect());
}
