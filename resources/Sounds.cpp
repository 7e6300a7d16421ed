#include "resources/Sounds.h"

#include <QCoreApplication>
#include <QFileInfo>

QString chimeFile()
{
    const QString exe = QCoreApplication::applicationDirPath();
    for (const QString &folder : {exe + QStringLiteral("/sounds"), exe + QStringLiteral("/" MUREL_SOUNDS_FROM_BINDIR),
                                  exe + QStringLiteral("/../sounds")}) {
        const QString file = folder + QStringLiteral("/chime.wav");
        if (QFileInfo::exists(file))
            return file;
    }
    return QString();
}
