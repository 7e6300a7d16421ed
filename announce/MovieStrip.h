#pragma once

#include "announce/PlayerAttempts.h"

#include <QWidget>

class PlayerProcess;

// The strip that plays the announcement movie. The player is a program of
// its own (the web engine behind it is by far the heaviest part of the
// program), started only while there is a movie and the strip is on
// screen, and ended as soon as either ends. Its window lives in a native
// child of the strip, which is shown once the player says the movie plays:
// until then, and whenever the player cannot play or has gone, the strip
// is see-through and the banner under it shows.
class MovieStrip : public QWidget
{
    Q_OBJECT
public:
    explicit MovieStrip(QWidget *parent = nullptr);
    ~MovieStrip() override;

    // The movie to play; the same unchanged file again changes nothing.
    void setMovie(const QString &path);
    QString movie() const { return m_attempts.movie().path; }

    // The player program; empty: none, the banner stays.
    void setPlayerProgram(const QString &file) { m_program = file; }
    // How long the player may stay silent before it counts as hung.
    void setHangMs(int ms) { m_hangMs = ms; }
    // How much memory the player's processes may hold together.
    void setMemoryBudget(qint64 bytes) { m_memoryBudget = bytes; }

    bool playerRunning() const { return bool(m_player); }
    qint64 playerProcessId() const;
    // "loading", "playing", "failed", or empty while no player reported.
    QString playerStatus() const;
    bool showsMovie() const;
    // Players started for the movie.
    int starts() const { return m_starts; }

Q_SIGNALS:
    void playerStatusChanged(const QString &status);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void startPlayer();
    void stopPlayer();
    void playerEnded(bool unasked);

    QString m_program;
    PlayerAttempts m_attempts;
    QWidget *m_host = nullptr;
    PlayerProcess *m_player = nullptr;
    QString m_status;
    int m_starts = 0;
    bool m_saidNoPlayer = false;
    int m_hangMs = 0;
    qint64 m_memoryBudget = 0;
};
