#include "controls/ButtonFace.h"

#include "controls/OleColor.h"
#include "core/settings/Rounding.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <cmath>

FaceColors faceColors(quint32 backRgb, ButtonLook look, int bottomEdge, int hotShade)
{
    const float step = std::fabs(50.0f / (float(bottomEdge) + 0.00001f));
    FaceColors c{};
    switch (look) {
    case ButtonLook::Pressed:
        c.base = shadeColor(backRgb, 40);
        c.outerLight = shadeColor(c.base, 25);
        c.innerLight = shadeColor(c.base, 12);
        c.outerShadow = shadeColor(c.base, -10);
        c.innerShadow = shadeColor(c.base, -5);
        c.step = -step;
        return c;
    case ButtonLook::Hot:
    case ButtonLook::Normal:
        c.base = shadeColor(backRgb, qint16(look == ButtonLook::Hot ? hotShade : -20));
        c.outerLight = shadeColor(c.base, -10);
        c.innerLight = shadeColor(c.base, -5);
        c.outerShadow = shadeColor(c.base, 60);
        c.innerShadow = shadeColor(c.base, 55);
        c.step = step;
        return c;
    }
    return c;
}

quint32 faceRowColor(const FaceColors &colors, int y)
{
    const float shade = float(y) * colors.step;
    return shadeColor(colors.base, qint16(roundHalfEven(shade)));
}

void hLine(QPainter &p, int x1, int x2, int y, const QColor &color)
{
    p.fillRect(QRect(QPoint(qMin(x1, x2), y), QPoint(qMax(x1, x2), y)), color);
}

void vLine(QPainter &p, int x, int y1, int y2, const QColor &color)
{
    p.fillRect(QRect(QPoint(x, qMin(y1, y2)), QPoint(x, qMax(y1, y2))), color);
}

void paintFace(QPainter &p, int rightEdge, int bottomEdge, const FaceColors &colors, bool gradient)
{
    const int W = rightEdge;
    const int H = bottomEdge;
    const int lastRow = gradient ? int(roundHalfEven(double(H) - 1.0)) : 0;
    for (int y = 1; y <= lastRow; ++y)
        hLine(p, 1, W - 1, y, toQColor(faceRowColor(colors, y)));

    hLine(p, 2, W - 2, 1, toQColor(colors.outerLight));
    hLine(p, 2, W - 2, 2, toQColor(colors.innerLight));
    vLine(p, 1, 2, H - 2, toQColor(colors.outerLight));
    vLine(p, 2, 2, H - 2, toQColor(colors.innerLight));
    hLine(p, 2, W - 2, H - 2, toQColor(colors.outerShadow));
    hLine(p, 2, W - 2, H - 3, toQColor(colors.innerShadow));
    vLine(p, W - 2, 2, H - 2, toQColor(colors.outerShadow));
    vLine(p, W - 3, 2, H - 2, toQColor(colors.innerShadow));
}

void paintRoundedOutline(QPainter &p, int left, int top, int right, int bottom, const QColor &color)
{
    if (right - left < 2 || bottom - top < 2) {
        // Too small to round: a plain frame.
        hLine(p, left, right, top, color);
        hLine(p, left, right, bottom, color);
        vLine(p, left, top, bottom, color);
        vLine(p, right, top, bottom, color);
        return;
    }
    hLine(p, left + 2, right - 2, top, color);
    hLine(p, left + 2, right - 2, bottom, color);
    vLine(p, left, top + 2, bottom - 2, color);
    vLine(p, right, top + 2, bottom - 2, color);
    p.fillRect(QRect(left + 1, top + 1, 1, 1), color);
    p.fillRect(QRect(right - 1, top + 1, 1, 1), color);
    p.fillRect(QRect(left + 1, bottom - 1, 1, 1), color);
    p.fillRect(QRect(right - 1, bottom - 1, 1, 1), color);
}

QRegion buttonRegion(int width, int height)
{
    QRegion r(0, 0, width, height);
    if (width > 2 && height > 2) {
        r -= QRegion(0, 0, 1, 1);
        r -= QRegion(width - 1, 0, 1, 1);
        r -= QRegion(0, height - 1, 1, 1);
        r -= QRegion(width - 1, height - 1, 1, 1);
    }
    return r;
}

QFont ambientFontOf(const QWidget *control)
{
    return control->parentWidget() ? control->parentWidget()->font() : QApplication::font();
}
