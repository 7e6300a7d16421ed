#include "resources/Artwork.h"

QIcon programIcon()
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/murel/icon-48.png"), QSize(48, 48));
    icon.addFile(QStringLiteral(":/murel/icon-32.png"), QSize(32, 32));
    return icon;
}

QPixmap backgroundPicture(int n)
{
    if (n < 1 || n > 6)
        return QPixmap();
    return QPixmap(QStringLiteral(":/murel/background-%1.jpg").arg(n));
}

QPixmap computerPicture()
{
    return QPixmap(QStringLiteral(":/murel/computer-32.png"));
}

QPixmap bannerPicture()
{
    return QPixmap(QStringLiteral(":/murel/banner.jpg"));
}
