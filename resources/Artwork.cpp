#include "resources/Artwork.h"

QIcon programIcon()
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/murel/icon-48.png"), QSize(48, 48));
    icon.addFile(QStringLiteral(":/murel/icon-32.png"), QSize(32, 32));
    return icon;
}
