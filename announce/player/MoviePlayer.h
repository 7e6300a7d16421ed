#pragma once

#include <QString>
#include <QtPlugin>
#include <functional>
#include <memory>

class QWidget;

// What the program asks of the movie player plugin. Plain interfaces, so
// that the plugin and the program share no generated code.
class MoviePlayer
{
public:
    virtual ~MoviePlayer() = default;
    // The widget that shows the movie, a child of the parent given on creation.
    virtual QWidget *widget() = 0;
    // Loads and plays the movie at a full local path, looping.
    virtual void load(const QString &moviePath) = 0;
    // "loading", "playing" or "failed"; reported as it changes.
    virtual QString status() const = 0;
    virtual void onStatus(std::function<void(const QString &)> callback) = 0;
};

class MoviePlayerFactory
{
public:
    virtual ~MoviePlayerFactory() = default;
    // filesFolder holds the player's page and its script and wasm files.
    virtual std::unique_ptr<MoviePlayer> createPlayer(QWidget *parent, const QString &filesFolder) = 0;
};

#define MoviePlayerFactory_iid "org.murel.MoviePlayerFactory/1.0"
Q_DECLARE_INTERFACE(MoviePlayerFactory, MoviePlayerFactory_iid)
