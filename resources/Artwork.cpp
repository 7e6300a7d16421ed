#include "resources/Artwork.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>

QIcon programIcon()
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/murel/icon-48.png"), QSize(48, 48));
    icon.addFile(QStringLiteral(":/murel/icon-32.png"), QSize(32, 32));
    return icon;
}

namespace {

// The folder of the pictures: beside the executable in the build tree (the
// tests' one folder down), in share/murel/pictures once installed.
QString picturesFolder()
{
    const QString exe = QCoreApplication::applicationDirPath();
    for (const QString &folder :
         {exe + QStringLiteral("/pictures"), exe + QStringLiteral("/" MUREL_PICTURES_FROM_BINDIR),
          exe + QStringLiteral("/../pictures")}) {
        if (QFileInfo::exists(folder + QStringLiteral("/banner.png")))
            return folder;
    }
    return QString();
}

// The picture at name, or its twice-the-pixels drawing name@2x for a screen
// of a ratio above one: scaled down on a 1.5 screen it stays sharper than
// the single one scaled up. Decoded for the window that shows it and gone
// with it: a pixmap loaded by file name would also stay in the toolkit's
// pixmap cache for the rest of a run that lasts all day. A picture that is
// not there (an incomplete installation) is a null one, and the window
// shows its plain background.
QPixmap forRatio(const QString &name, qreal devicePixelRatio)
{
    const QString folder = picturesFolder();
    if (folder.isEmpty()) {
        qWarning("murel: the pictures are not installed beside the program");
        return QPixmap();
    }
    const bool twice = devicePixelRatio > 1;
    QPixmap picture = QPixmap::fromImage(
        QImage(folder + QLatin1Char('/') + name + (twice ? QStringLiteral("@2x.png") : QStringLiteral(".png"))));
    if (twice)
        picture.setDevicePixelRatio(2);
    return picture;
}

} // namespace

QPixmap backgroundPicture(int n, qreal devicePixelRatio)
{
    if (n < 1 || n > 6)
        return QPixmap();
    return forRatio(QStringLiteral("background-%1").arg(n), devicePixelRatio);
}

QPixmap computerPicture()
{
    return QPixmap(QStringLiteral(":/murel/computer-32.png"));
}

QPixmap bannerPicture(qreal devicePixelRatio)
{
    return forRatio(QStringLiteral("banner"), devicePixelRatio);
}
