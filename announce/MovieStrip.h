#pragma once

#include <QDateTime>
#include <QWidget>
#include <memory>

class MoviePlayer;
class QPluginLoader;

// The strip that plays the announcement movie. The player (a separately
// built plugin around a web view) is loaded only while there is a movie and
// the strip is on screen, and let go as soon as either ends: it is by far
// the heaviest part of the program.
class MovieStrip : public QWidget
{
    Q_OBJECT
public:
    explicit MovieStrip(QWidget *parent = nullptr);
    ~MovieStrip() override;

    // The movie to play; the same unchanged file again changes nothing.
    void setMovie(const QString &path);
    QString movie() const { return m_path; }

    // Where the plugin is (without its file suffix).
    void setPluginFile(const QString &file) { m_pluginFile = file; }
    QString pluginFile() const { return m_pluginFile; }

    bool playerLoaded() const { return bool(m_player); }
    QString playerStatus() const;
    // Times the movie was (re)loaded into a player.
    int loads() const { return m_loads; }

Q_SIGNALS:
    void playerStatusChanged(const QString &status);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void play();
    void release();

    QString m_pluginFile;
    QString m_path;
    qint64 m_size = -1;
    QDateTime m_modified;
    std::unique_ptr<QPluginLoader> m_loader;
    std::unique_ptr<MoviePlayer> m_player;
    int m_loads = 0;
    bool m_noPlayer = false;
};
