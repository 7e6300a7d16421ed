#pragma once

#include <QDateTime>
#include <QString>

// One movie file as the strip knows it: the same path with another size or
// time is another movie.
struct MovieFile
{
    QString path;
    qint64 size = -1;
    QDateTime modified;

    static MovieFile at(const QString &path);
    bool operator==(const MovieFile &other) const = default;
};

// Whether the strip may start a player for its movie. A movie the player
// says it cannot play is not tried again; a player that crashes, hangs or
// is killed is started again, MaxRestarts times per movie. A changed file
// starts afresh.
class PlayerAttempts
{
public:
    static constexpr int MaxRestarts = 3;

    // True when movie differs from the one before (the counts start over).
    bool setMovie(const MovieFile &movie);
    const MovieFile &movie() const { return m_movie; }

    bool mayStart() const { return !m_movie.path.isEmpty() && !m_unplayable && m_crashes <= MaxRestarts; }
    void unplayable() { m_unplayable = true; }
    void crashed() { ++m_crashes; }

private:
    MovieFile m_movie;
    bool m_unplayable = false;
    int m_crashes = 0;
};
