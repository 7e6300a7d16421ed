#pragma once

#include "announce/player/PlayerProtocol.h"

#include <QObject>
#include <functional>

class QWebEngineProfile;
class QWebEngineView;
class QWidget;

// The movie player: Ruffle in a web view whose page may read nothing but
// the player's own files and the one movie. The view is the player
// program's only window.
class RufflePlayer final : public QObject
{
    Q_OBJECT
public:
    using Status = PlayerProtocol::Status;

    RufflePlayer(const QString &filesFolder, const QColor &background, QObject *parent = nullptr);
    ~RufflePlayer() override;

    QWidget *widget() const;
    // Loads and plays the movie at a local path, looping.
    void load(const QString &moviePath);
    Status status() const { return m_status; }

Q_SIGNALS:
    void statusChanged(PlayerProtocol::Status status);

private:
    void pageTitle(const QString &title);
    void setStatus(Status status);

    QString m_folder;
    QString m_movie;
    Status m_status = Status::Loading;
    bool m_pageReady = false;
    QWebEngineProfile *m_profile = nullptr;
    QWebEngineView *m_view = nullptr;
    class Guard;
    Guard *m_guard = nullptr;
};
