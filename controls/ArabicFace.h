#pragma once

#include <QStringList>

class QFont;

// The faces a font name stands for when it draws Arabic text. A name with
// no face here, or with a face that has no Arabic letters (Windows still
// ships the old "MS Sans Serif" as a Latin bitmap face), gives way to the
// faces registered as its substitutes (see Fonts), itself last; a face
// with Arabic letters is used as it is.
QStringList arabicFaces(const QString &family);

// font, asking for family's faces in that order.
void setArabicFamily(QFont &font, const QString &family);
