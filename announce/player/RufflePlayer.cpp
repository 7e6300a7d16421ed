#include "announce/player/RufflePlayer.h"

#include "announce/player/RequestRule.h"
#include "core/fetch/SwfSound.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonValue>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

// Lets the page load the player's files and the movie, and nothing else,
// from anywhere.
class RufflePlayer::Guard final : public QWebEngineUrlRequestInterceptor
{
public:
    Guard(const QString &folder, QObject *parent)
        : QWebEngineUrlRequestInterceptor(parent)
        , m_folder(folder)
    {
    }
    void setMovie(const QString &path) { m_movie = path; }

    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        if (!playerMayLoad(info.requestUrl(), m_folder, m_movie))
            info.block(true);
    }

private:
    QString m_folder;
    QString m_movie;
};

RufflePlayer::RufflePlayer(const QString &filesFolder, const QColor &background, QObject *parent)
    : QObject(parent)
    , m_folder(filesFolder)
{
    // A private, memory-only profile: nothing the movie does is kept.
    m_profile = new QWebEngineProfile(this);
    m_profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    m_profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    m_guard = new Guard(filesFolder, this);
    m_profile->setUrlRequestInterceptor(m_guard);

    m_view = new QWebEngineView;
    auto *page = new QWebEnginePage(m_profile, m_view);
    m_view->setPage(page);
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    page->setBackgroundColor(background);
    QWebEngineSettings *s = page->settings();
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    s->setAttribute(QWebEngineSettings::ShowScrollBars, false);
    s->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    s->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    s->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);

    QObject::connect(page, &QWebEnginePage::titleChanged, this, &RufflePlayer::pageTitle);
    QObject::connect(page, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        m_pageReady = ok;
        if (!ok) {
            setStatus(Status::Failed);
            return;
        }
        if (!m_movie.isEmpty())
            load(m_movie);
    });
    QObject::connect(page, &QWebEnginePage::renderProcessTerminated, this, [this] { setStatus(Status::Failed); });
    m_view->load(QUrl::fromLocalFile(QDir(filesFolder).filePath(QStringLiteral("player.html"))));
}

RufflePlayer::~RufflePlayer()
{
    // The page belongs to the profile's life: it goes first.
    delete m_view;
    m_view = nullptr;
}

QWidget *RufflePlayer::widget() const
{
    return m_view;
}

void RufflePlayer::load(const QString &moviePath)
{
    m_movie = QFileInfo(moviePath).absoluteFilePath();
    m_guard->setMovie(m_movie);
    QFile file(m_movie);
    m_sound = !file.open(QIODevice::ReadOnly) || swfMayPlaySound(file);
    setStatus(Status::Loading);
    if (!m_pageReady)
        return; // played once the page is up
    const QString url = QUrl::fromLocalFile(m_movie).toString(QUrl::FullyEncoded);
    const QString argument =
        QString::fromUtf8(QJsonDocument::fromVariant(QVariantList{url, m_sound}).toJson(QJsonDocument::Compact));
    m_view->page()->runJavaScript(QStringLiteral("play(...%1);").arg(argument));
}

void RufflePlayer::ask()
{
    m_view->page()->runJavaScript(QStringLiteral("performance.now()"), [this](const QVariant &clock) {
        // Nothing comes back from a page that went meanwhile.
        if (!clock.canConvert<double>() || clock.toDouble() == m_pageClock)
            return;
        m_pageClock = clock.toDouble();
        Q_EMIT answered();
    });
}

void RufflePlayer::pageTitle(const QString &title)
{
    if (!title.startsWith(QLatin1String("status:")))
        return;
    if (const auto status = PlayerProtocol::parse(title.mid(7).toUtf8()))
        setStatus(*status);
}

void RufflePlayer::setStatus(Status status)
{
    if (status == m_status)
        return;
    m_status = status;
    Q_EMIT statusChanged(status);
}
