#pragma once

#include <QColor>
#include <QFont>
#include <QRegion>
#include <QtGlobal>

class QPainter;
class QWidget;

// The face both button controls share: a vertical gradient, a two-pixel
// bevel and a black rounded outline, all in the control's own pixels.
enum class ButtonLook {
    Normal = 0,
    Pressed = 1,
    Hot = 2
};

struct FaceColors
{
    quint32 base;
    quint32 outerLight;
    quint32 innerLight;
    quint32 outerShadow;
    quint32 innerShadow;
    float step; // shade added per pixel row, negative when pressed
};

// Colours of one look, derived from the resolved background colour.
// bottomEdge is the index of the last pixel row.
FaceColors faceColors(quint32 backRgb, ButtonLook look, int bottomEdge, int hotShade = -30);

// Colour of gradient row y.
quint32 faceRowColor(const FaceColors &colors, int y);

// Gradient rows 1 .. bottomEdge - 1 (unless flat) and the eight bevel lines.
void paintFace(QPainter &p, int rightEdge, int bottomEdge, const FaceColors &colors, bool gradient = true);

// Rounded outline through the given pixels, both ends included, corners cut
// by one pixel.
void paintRoundedOutline(QPainter &p, int left, int top, int right, int bottom, const QColor &color);

// Inclusive one-pixel lines; the ends may be given in either order.
void hLine(QPainter &p, int x1, int x2, int y, const QColor &color);
void vLine(QPainter &p, int x, int y1, int y2, const QColor &color);

// The window shape of a button: its rectangle less the four corner pixels
// (a 4 x 4 corner ellipse).
QRegion buttonRegion(int width, int height);

// The font of the window holding the control.
QFont ambientFontOf(const QWidget *control);
