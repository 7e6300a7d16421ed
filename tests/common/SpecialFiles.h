#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

// Puts something other than a plain file where the program expects one: a
// FIFO (opening it for reading would wait for ever), a link to a FIFO, a
// device, a folder, or a link that leads nowhere. Windows has no FIFOs or
// devices among files, and its links need rights a user may not have: there
// a folder is the one thing in the way.
namespace SpecialFiles {

inline QStringList kinds()
{
#ifdef Q_OS_WIN
    return {QStringLiteral("folder")};
#else
    return {QStringLiteral("fifo"), QStringLiteral("link to a fifo"), QStringLiteral("device"),
            QStringLiteral("folder"), QStringLiteral("dangling link")};
#endif
}

#ifdef Q_OS_WIN
inline int mkfifo(const char *, int)
{
    return -1;
}
#endif

inline bool make(const QString &path, const QString &kind)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile::remove(path);
    const QByteArray native = QFile::encodeName(path);
    if (kind == QLatin1String("fifo"))
        return mkfifo(native.constData(), 0600) == 0;
    if (kind == QLatin1String("link to a fifo")) {
        const QString fifo = path + QStringLiteral(".fifo");
        return mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0 && QFile::link(fifo, path);
    }
    if (kind == QLatin1String("device"))
        return QFile::link(QStringLiteral("/dev/zero"), path);
    if (kind == QLatin1String("folder"))
        return QDir().mkpath(path);
    if (kind == QLatin1String("dangling link"))
        return QFile::link(path + QStringLiteral(".nowhere"), path);
    return false;
}

} // namespace SpecialFiles
