#pragma once

#include <QIcon>
#include <QPixmap>

// The program's icon, at 48 and 32 pixels; the tray uses the same. Each
// call makes a new icon whose pictures are cached anew: the main window makes
// it once and the other windows share its copy.
QIcon programIcon();

// Background picture number n (1 to 6) of the reminder card; a null
// picture for any other number. Read-only, built into the program.
QPixmap backgroundPicture(int n);

// A 32-pixel picture of a desktop computer, beside the contact line.
QPixmap computerPicture();

// The 350 x 70 banner of the announcement strip.
QPixmap bannerPicture();
