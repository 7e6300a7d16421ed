#include "resources/Artwork.h"

#include <QImage>

QIcon programIcon()
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/murel/icon-48.png"), QSize(48, 48));
    icon.addFile(QStringLiteral(":/murel/icon-32.png"), QSize(32, 32));
    return icon;
}

namespace {

// The picture at name, or its twice-the-pixels drawing name@2x for a screen
// of a ratio above one: scaled down on a 1.5 screen it stays sharper than
// the single one scaled up.
// Decoded for the window that shows it and gone with it: a pixmap loaded
// by file name would also stay in the toolkit's pixmap cache, which keeps
// every card picture ever shown for the rest of a run that lasts all day.
QPixmap forRatio(const QString &name, const QString &suffix, qreal devicePixelRatio)
{
    if (devicePixelRatio <= 1)
        return QPixmap::fromImage(QImage(QStringLiteral(":/murel/") + name + suffix));
    QPixmap picture = QPixmap::fromImage(QImage(QStringLiteral(":/murel/") + name + QStringLiteral("@2x") + suffix));
    picture.setDevicePixelRatio(2);
    return picture;
}

} // namespace

QPixmap backgroundPicture(int n, qreal devicePixelRatio)
{
    if (n < 1 || n > 6)
        return QPixmap();
    return forRatio(QStringLiteral("background-%1").arg(n), QStringLiteral(".jpg"), devicePixelRatio);
}

QPixmap computerPicture()
{
    return QPixmap(QStringLiteral(":/murel/computer-32.png"));
}

QPixmap bannerPicture(qreal devicePixelRatio)
{
    return forRatio(QStringLiteral("banner"), QStringLiteral(".jpg"), devicePixelRatio);
}
