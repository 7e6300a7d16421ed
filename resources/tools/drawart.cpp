// Draws the program's pictures into the resources folder:
//   drawart <resources folder>
// The pictures are committed; run this after changing the drawing.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <cstdio>

namespace {

QPainterPath star(QPointF centre, qreal outer, qreal inner, int points, qreal rotation)
{
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const qreal r = (i % 2 == 0) ? outer : inner;
        const qreal a = rotation + M_PI * i / points;
        const QPointF p(centre.x() + r * qSin(a), centre.y() - r * qCos(a));
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

// An eight-pointed star in gold on a deep green tile, a pale crescent at its
// heart: plain enough to read at 32 pixels.
QImage icon(int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const QRectF tile(s * 0.03, s * 0.03, s * 0.94, s * 0.94);
    QLinearGradient bg(tile.topLeft(), tile.bottomRight());
    bg.setColorAt(0, QColor(0x1f, 0x7a, 0x5c));
    bg.setColorAt(1, QColor(0x0b, 0x3d, 0x33));
    p.setPen(QPen(QColor(0x06, 0x26, 0x20), qMax(1.0, s / 32)));
    p.setBrush(bg);
    p.drawRoundedRect(tile, s * 0.2, s * 0.2);

    const QPointF c(s / 2, s / 2);
    QLinearGradient gold(QPointF(0, s * 0.1), QPointF(0, s * 0.9));
    gold.setColorAt(0, QColor(0xff, 0xe0, 0x8a));
    gold.setColorAt(1, QColor(0xd4, 0x9a, 0x2a));
    p.setPen(QPen(QColor(0x7a, 0x52, 0x10), qMax(0.8, s / 48)));
    p.setBrush(gold);
    p.drawPath(star(c, s * 0.40, s * 0.30, 8, 0));

    // Crescent: a pale disc with an offset disc of the star's colour cut out.
    QPainterPath moon;
    moon.addEllipse(c, s * 0.17, s * 0.17);
    QPainterPath bite;
    bite.addEllipse(QPointF(c.x() + s * 0.07, c.y() - s * 0.03), s * 0.14, s * 0.14);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x0b, 0x3d, 0x33));
    p.drawPath(moon.subtracted(bite));
    return img;
}

bool save(const QImage &img, const QString &path, const char *format, int quality = -1)
{
    if (img.save(path, format, quality))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: drawart <resources folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = save(icon(48), out.filePath(QStringLiteral("icon-48.png")), "PNG");
    ok = save(icon(32), out.filePath(QStringLiteral("icon-32.png")), "PNG") && ok;
    return ok ? 0 : 1;
}
