#include "platform/RuntimeFolder.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// A real folder (not a link to one), owned by this user, that nobody else
// may write into.
bool isOwnFolder(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid()
        && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

} // namespace

QString userRuntimeFolder()
{
    const QString session = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!session.isEmpty() && isOwnFolder(session))
        return session;
    // Not TMPDIR: copies started with different ones must still meet.
    const uint uid = ::geteuid();
    const QString system = QStringLiteral("/run/user/%1").arg(uid);
    if (isOwnFolder(system))
        return system;
    const QString fixed = QStringLiteral("/tmp/murel-%1").arg(uid);
    // Made by whichever copy comes first; another user's folder (or link)
    // there is never used.
    ::mkdir(QFile::encodeName(fixed).constData(), 0700);
    return isOwnFolder(fixed) ? fixed : QString();
}
