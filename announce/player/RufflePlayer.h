#pragma once

#include "announce/player/MoviePlayer.h"

#include <QObject>

class QWebEngineProfile;
class QWebEngineView;

// The movie player: Ruffle in a web view whose page may read nothing but
// the player's own files and the one movie.
class RufflePlayer final : public QObject, public MoviePlayer
{
    Q_OBJECT
public:
    RufflePlayer(QWidget *parent, const QString &filesFolder);
    ~RufflePlayer() override;

    QWidget *widget() override;
    void load(const QString &moviePath) override;
    QString status() const override { return m_status; }
    void onStatus(std::function<void(const QString &)> callback) override { m_callback = std::move(callback); }

private:
    void pageTitle(const QString &title);
    void setStatus(const QString &status);

    QString m_folder;
    QString m_movie;
    QString m_status;
    bool m_pageReady = false;
    std::function<void(const QString &)> m_callback;
    QWebEngineProfile *m_profile = nullptr;
    QWebEngineView *m_view = nullptr;
    class Guard;
    Guard *m_guard = nullptr;
};

class RufflePlayerFactory final : public QObject, public MoviePlayerFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID MoviePlayerFactory_iid)
    Q_INTERFACES(MoviePlayerFactory)
public:
    std::unique_ptr<MoviePlayer> createPlayer(QWidget *parent, const QString &filesFolder) override;
};
