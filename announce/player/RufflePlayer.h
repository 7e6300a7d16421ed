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
    // Asks the page for its clock; answered() follows once it has run the
    // question and its clock has moved on since the last answer. A page
    // whose process is stopped or busy for good never answers. (The
    // question goes to the page's process directly: it is not held back
    // like the page's own timers while the page is out of sight.)
    void ask();

Q_SIGNALS:
    void statusChanged(PlayerProtocol::Status status);
    void answered();

private:
    void pageTitle(const QString &title);
    void setStatus(Status status);

    QString m_folder;
    QString m_movie;
    bool m_sound = true;
    Status m_status = Status::Loading;
    bool m_pageReady = false;
    double m_pageClock = -1;
    QWebEngineProfile *m_profile = nullptr;
    QWebEngineView *m_view = nullptr;
    class Guard;
    Guard *m_guard = nullptr;
};
