// Draws the program's pictures into the resources folder:
//   drawart <resources folder>
// The pictures are committed; run this after changing the drawing.
//
// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures it draws (the icons, the banner and the backgrounds) are
// part of the program and under its licence, GPL-3.0-or-later.
#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QSvgGenerator>
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
// heart: plain enough to read at 16 pixels. Drawn on a square of side s.
void drawIcon(QPainter &p, qreal s)
{
    p.setRenderHint(QPainter::Antialiasing);
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
}

QImage icon(int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    drawIcon(p, size);
    return img;
}

// The same drawing as a scalable picture, for the icon theme.
bool saveIconSvg(const QString &path)
{
    const int side = 256;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(side, side));
    svg.setViewBox(QRect(0, 0, side, side));
    svg.setTitle(QStringLiteral("Murel"));
    svg.setDescription(QStringLiteral("The Murel icon. GPL-3.0-or-later."));
    QPainter p(&svg);
    drawIcon(p, side);
    p.end();
    // The generator sizes the picture in millimetres; an icon is in pixels.
    QString text = QString::fromUtf8(buffer.data());
    text.replace(QRegularExpression(QStringLiteral("<svg width=\"[^\"]*\" height=\"[^\"]*\"")),
                 QStringLiteral("<svg width=\"%1\" height=\"%1\"").arg(side));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// The Windows program icon: the icon theme's PNG files, byte for byte, as
// the entries of one .ico (Windows reads PNG entries since Vista, and only
// the 256-pixel one would be large as a bitmap). Read back from the files
// just written, so the .ico never holds a drawing the PNG files do not.
bool saveIco(const QDir &out, const QList<int> &sizes, const QString &path)
{
    QList<QByteArray> pictures;
    for (const int size : sizes) {
        QFile png(out.filePath(QStringLiteral("icons/icon-%1.png").arg(size)));
        if (!png.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(png.fileName()));
            return false;
        }
        pictures.append(png.readAll());
    }
    QByteArray ico;
    QDataStream stream(&ico, QIODevice::WriteOnly);
    stream.setByteOrder(QDataStream::LittleEndian);
    // ICONDIR: reserved, type 1 (icon), the number of entries.
    stream << quint16(0) << quint16(1) << quint16(sizes.size());
    auto offset = quint32(6 + 16 * sizes.size());
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        // ICONDIRENTRY: width and height (0 stands for 256), no palette,
        // reserved, one plane, 32 bits a pixel, the bytes and where they are.
        const auto side = quint8(sizes[i] >= 256 ? 0 : sizes[i]);
        stream << side << side << quint8(0) << quint8(0) << quint16(1) << quint16(32) << quint32(pictures[i].size())
               << offset;
        offset += quint32(pictures[i].size());
    }
    for (const QByteArray &picture : pictures)
        stream.writeRawData(picture.constData(), int(picture.size()));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(ico) != ico.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// An eight-pointed star: two squares, one turned by 45 degrees.
QPainterPath octagram(QPointF c, qreal r)
{
    return star(c, r, r * 0.7654, 8, M_PI / 8);
}

// A lattice of eight-pointed stars joined by their points, the classic
// girih-like field, drawn as fine lines.
void starLattice(QPainter &p, const QRectF &area, qreal cell, const QColor &line, qreal width)
{
    p.save();
    p.setClipRect(area);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(line, width));
    for (qreal y = area.top() - cell; y < area.bottom() + cell; y += cell)
        for (qreal x = area.left() - cell; x < area.right() + cell; x += cell) {
            const QPointF c(x, y);
            p.drawPath(octagram(c, cell * 0.36));
            p.drawEllipse(c, cell * 0.12, cell * 0.12);
            // Diamonds between neighbouring stars.
            const QPointF m(x + cell / 2, y + cell / 2);
            QPolygonF diamond;
            diamond << QPointF(m.x(), m.y() - cell * 0.16) << QPointF(m.x() + cell * 0.16, m.y())
                    << QPointF(m.x(), m.y() + cell * 0.16) << QPointF(m.x() - cell * 0.16, m.y());
            p.drawPolygon(diamond);
        }
    p.restore();
}

// A band along the edges: two thin rules with a row of small lozenges and
// dots between them, like the border of an illuminated page.
void arabesqueBorder(QPainter &p, const QRectF &outer, qreal band, const QColor &ink, const QColor &accent)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 1.0));
    const QRectF a = outer.adjusted(2.5, 2.5, -2.5, -2.5);
    const QRectF b = outer.adjusted(band - 2.5, band - 2.5, -band + 2.5, -band + 2.5);
    p.drawRoundedRect(a, 4, 4);
    p.drawRoundedRect(b, 3, 3);
    const qreal mid = band / 2;
    const qreal step = band * 1.1;
    p.setPen(Qt::NoPen);
    auto motif = [&](QPointF c) {
        QPolygonF lozenge;
        const qreal r = band * 0.22;
        lozenge << QPointF(c.x(), c.y() - r) << QPointF(c.x() + r, c.y()) << QPointF(c.x(), c.y() + r)
                << QPointF(c.x() - r, c.y());
        p.setBrush(accent);
        p.drawPolygon(lozenge);
    };
    for (qreal x = outer.left() + band; x <= outer.right() - band; x += step) {
        motif(QPointF(x, outer.top() + mid));
        motif(QPointF(x, outer.bottom() - mid));
    }
    for (qreal y = outer.top() + band + step; y <= outer.bottom() - band - step / 2; y += step) {
        motif(QPointF(outer.left() + mid, y));
        motif(QPointF(outer.right() - mid, y));
    }
    // Corner rosettes.
    p.setBrush(accent);
    for (const QPointF c :
         {QPointF(outer.left() + mid, outer.top() + mid), QPointF(outer.right() - mid, outer.top() + mid),
          QPointF(outer.left() + mid, outer.bottom() - mid), QPointF(outer.right() - mid, outer.bottom() - mid)})
        p.drawPath(octagram(c, band * 0.42));
    p.restore();
}

struct Palette
{
    QColor top;
    QColor bottom;
    QColor lattice;
    QColor ink;
    QColor accent;
    qreal latticeWidth;
};

// A calm field for the reminder text: a soft diagonal gradient, a faint
// star lattice and an ornamental border kept outside the text area. Drawn
// width by height, ratio pixels to each, for screens of that pixel ratio.
QImage background(int width, int height, const Palette &pal, qreal cell, int ratio)
{
    QImage img(width * ratio, height * ratio, QImage::Format_RGB32);
    QPainter p(&img);
    p.scale(ratio, ratio);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(QPointF(0, 0), QPointF(width * 0.6, height));
    g.setColorAt(0, pal.top);
    g.setColorAt(1, pal.bottom);
    p.fillRect(QRectF(0, 0, width, height), g);
    // A gentle glow in the middle keeps the field from looking flat.
    QRadialGradient glow(QPointF(width * 0.55, height * 0.45), width * 0.7);
    QColor light = pal.top.lighter(112);
    light.setAlpha(70);
    glow.setColorAt(0, light);
    glow.setColorAt(1, Qt::transparent);
    p.fillRect(QRectF(0, 0, width, height), glow);
    const QRectF field(0, 0, width, height);
    starLattice(p, field, cell, pal.lattice, pal.latticeWidth);
    arabesqueBorder(p, field, 11, pal.ink, pal.accent);
    return img;
}

// A desktop computer: a monitor with a blue screen on a small stand.
QImage computer()
{
    QImage img(32, 32, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x3a, 0x3f, 0x47), 1));
    p.setBrush(QColor(0xd8, 0xdc, 0xe2));
    p.drawRoundedRect(QRectF(2.5, 3.5, 27, 19), 2, 2);
    QLinearGradient screen(QPointF(0, 5), QPointF(0, 20));
    screen.setColorAt(0, QColor(0x5b, 0x9b, 0xe6));
    screen.setColorAt(1, QColor(0x1f, 0x4f, 0x9c));
    p.setPen(Qt::NoPen);
    p.setBrush(screen);
    p.drawRect(QRectF(5, 6, 22, 14));
    p.setBrush(QColor(0x8a, 0x90, 0x99));
    p.drawRect(QRectF(13, 22.5, 6, 4));
    p.setPen(QPen(QColor(0x3a, 0x3f, 0x47), 1));
    p.setBrush(QColor(0xb8, 0xbd, 0xc4));
    p.drawRoundedRect(QRectF(8.5, 26.5, 15, 3), 1, 1);
    return img;
}

// The strip's banner: the name in large, flowing lettering on a dark blue
// ground of soft swirls; ratio pixels to each of its 350 by 70.
QImage banner(int ratio)
{
    QImage img(350 * ratio, 70 * ratio, QImage::Format_RGB32);
    QPainter p(&img);
    p.scale(ratio, ratio);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient ground(QPointF(0, 0), QPointF(350, 70));
    ground.setColorAt(0, QColor(0x0a, 0x1a, 0x4a));
    ground.setColorAt(0.5, QColor(0x12, 0x2e, 0x78));
    ground.setColorAt(1, QColor(0x08, 0x16, 0x3e));
    p.fillRect(QRectF(0, 0, 350, 70), ground);
    // Swirls: spirals of fading light blue.
    for (int s = 0; s < 7; ++s) {
        const QPointF c(25 + s * 52, (s % 2) ? 18 : 52);
        QPainterPath spiral;
        for (int i = 0; i <= 240; ++i) {
            const qreal a = i * 0.08;
            const qreal r = 2 + i * 0.16;
            const QPointF pt(c.x() + r * qCos(a + s), c.y() + r * qSin(a + s) * 0.8);
            if (i == 0)
                spiral.moveTo(pt);
            else
                spiral.lineTo(pt);
        }
        p.setPen(QPen(QColor(0x6f, 0xa8, 0xff, 70), 1.6));
        p.drawPath(spiral);
    }
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(50);
    font.setBold(true);
    font.setItalic(true);
    p.setFont(font);
    QPainterPath word;
    word.addText(0, 0, font, QStringLiteral("Murel"));
    const QRectF box = word.boundingRect();
    word.translate(175 - box.center().x(), 35 - box.center().y());
    p.setPen(QPen(QColor(0x04, 0x0c, 0x26), 5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(word.translated(2, 2));
    QLinearGradient gold(QPointF(0, 10), QPointF(0, 60));
    gold.setColorAt(0, QColor(0xff, 0xf1, 0xb8));
    gold.setColorAt(1, QColor(0xe0, 0xa8, 0x3a));
    p.setPen(QPen(QColor(0x5a, 0x3a, 0x08), 1.2));
    p.setBrush(gold);
    p.drawPath(word);
    // A small star either side of the name.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xe0, 0x8a));
    p.drawPath(octagram(QPointF(box.width() / 2 + 175 + 22, 35), 7));
    p.drawPath(octagram(QPointF(175 - box.width() / 2 - 22, 35), 7));
    return img;
}

// The pictures that fill a window were first drawn as JPEG at quality 92,
// and keep that look, softening included. They are stored as PNG all the
// same: the program never loads a JPEG decoder for them, which would stay
// in its memory all day.
QImage settled(const QImage &img)
{
    QBuffer jpeg;
    jpeg.open(QIODevice::ReadWrite);
    if (!img.save(&jpeg, "JPEG", 92))
        return QImage();
    return QImage::fromData(jpeg.data(), "JPEG").convertToFormat(QImage::Format_RGB888);
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
    // The desktop's icon theme: every size it looks for, and the SVG.
    if (!out.mkpath(QStringLiteral("icons")))
        ok = false;
    const QList<int> iconSizes = {16, 22, 24, 32, 48, 64, 128, 256};
    for (const int size : iconSizes)
        ok = save(icon(size), out.filePath(QStringLiteral("icons/icon-%1.png").arg(size)), "PNG") && ok;
    // The same sizes as the Windows program's icon.
    ok = saveIco(out, iconSizes, out.filePath(QStringLiteral("icons/murel.ico"))) && ok;
    ok = saveIconSvg(out.filePath(QStringLiteral("icons/icon.svg"))) && ok;
    ok = save(computer(), out.filePath(QStringLiteral("computer-32.png")), "PNG") && ok;
    // Each picture that fills a window also at twice its pixels, which
    // screens of a pixel ratio above one take.
    if (!out.mkpath(QStringLiteral("pictures")))
        ok = false;
    ok = save(settled(banner(1)), out.filePath(QStringLiteral("pictures/banner.png")), "PNG", 0) && ok;
    ok = save(settled(banner(2)), out.filePath(QStringLiteral("pictures/banner@2x.png")), "PNG", 0) && ok;

    // Text colours on the card: white on 1 and 6, dark blue on 2, black on 3
    // and 4, dark grey on 5; each field stays far enough from its colour.
    const Palette palettes[6] = {
        {QColor(0x1d, 0x2b, 0x53), QColor(0x0f, 0x4c, 0x5c), QColor(255, 255, 255, 34), QColor(0xc9, 0xa9, 0x5c),
         QColor(0xd8, 0xb8, 0x6a), 0.8},
        {QColor(0xf2, 0xf8, 0xfd), QColor(0xd6, 0xe8, 0xf6), QColor(0x4a, 0x7d, 0xb0, 40), QColor(0x3b, 0x6e, 0xa5),
         QColor(0x6f, 0x9c, 0xcc), 0.8},
        {QColor(0xfb, 0xf3, 0xe2), QColor(0xee, 0xdc, 0xba), QColor(0x9c, 0x74, 0x3c, 38), QColor(0x9c, 0x6b, 0x2e),
         QColor(0xc0, 0x8f, 0x45), 0.8},
        {QColor(0xee, 0xf8, 0xf0), QColor(0xd3, 0xea, 0xda), QColor(0x3f, 0x8f, 0x5f, 40), QColor(0x2f, 0x7d, 0x52),
         QColor(0x5f, 0xa8, 0x7a), 0.8},
        {QColor(0xf8, 0xf0, 0xf6), QColor(0xe9, 0xdb, 0xea), QColor(0x8a, 0x5c, 0x8e, 36), QColor(0x8a, 0x5c, 0x8e),
         QColor(0xb0, 0x86, 0xb4), 0.8},
        {QColor(0x0c, 0x4a, 0x38), QColor(0x05, 0x26, 0x1e), QColor(0xe6, 0xc7, 0x72, 40), QColor(0xd9, 0xb4, 0x5a),
         QColor(0xe6, 0xc7, 0x72), 0.8},
    };
    const qreal cells[6] = {34, 30, 38, 28, 32, 36};
    for (int n = 1; n <= 6; ++n) {
        const int width = n == 1 ? 236 : 231;
        ok = save(settled(background(width, 186, palettes[n - 1], cells[n - 1], 1)),
                  out.filePath(QStringLiteral("pictures/background-%1.png").arg(n)), "PNG", 0)
            && ok;
        ok = save(settled(background(width, 186, palettes[n - 1], cells[n - 1], 2)),
                  out.filePath(QStringLiteral("pictures/background-%1@2x.png").arg(n)), "PNG", 0)
            && ok;
    }
    return ok ? 0 : 1;
}
