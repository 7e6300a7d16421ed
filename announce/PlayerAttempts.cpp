#include "announce/PlayerAttempts.h"

#include <QFileInfo>

MovieFile MovieFile::at(const QString &path)
{
    const QFileInfo info(path);
    return {path, info.size(), info.lastModified()};
}

bool PlayerAttempts::setMovie(const MovieFile &movie)
{
    if (movie == m_movie)
        return false;
    m_movie = movie;
    m_unplayable = false;
    m_crashes = 0;
    return true;
}
