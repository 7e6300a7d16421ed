#pragma once

#include <QIcon>
#include <QPixmap>

// The program's icon, at 48 and 32 pixels; the tray uses the same. Each
// call makes a new icon whose pictures are cached anew: the main window makes
// it once and the other windows share its copy.
QIcon programIcon();

// Background picture number n (1 to 6) of the reminder card; a null
// picture for any other number, or when the pictures are not installed. For a
// screen whose pixel ratio is above one, the picture drawn at twice the
// pixels, with that ratio: the same size on screen, and sharp.
QPixmap backgroundPicture(int n, qreal devicePixelRatio = 1);

// A 32-pixel picture of a desktop computer, beside the contact line.
QPixmap computerPicture();

// The 350 x 70 banner of the announcement strip; drawn at twice the pixels
// for a screen whose pixel ratio is above one, as the backgrounds.
QPixmap bannerPicture(qreal devicePixelRatio = 1);
