#include "controls/ArabicFace.h"

#include <QFont>
#include <QFontDatabase>

QStringList arabicFaces(const QString &family)
{
    if (QFontDatabase::writingSystems(family).contains(QFontDatabase::Arabic))
        return {family};
    QStringList faces = QFont::substitutes(family);
    faces.append(family);
    return faces;
}

void setArabicFamily(QFont &font, const QString &family)
{
    font.setFamilies(arabicFaces(family));
}
