#pragma once

#include <QDir>
#include <QString>
#include <QUrl>

// The player's page may read its own files (under folder) and the one
// movie, from the local disk; blob: and data: stay inside the page. Every
// other address, local or remote, is refused.
inline bool playerMayLoad(const QUrl &url, const QString &folder, const QString &movie)
{
    if (url.isLocalFile()) {
        const QString path = QDir::cleanPath(url.toLocalFile());
        const QString root = QDir::cleanPath(folder) + QLatin1Char('/');
        return path.startsWith(root) || (!movie.isEmpty() && path == QDir::cleanPath(movie));
    }
    return url.scheme() == QLatin1String("blob") || url.scheme() == QLatin1String("data");
}
