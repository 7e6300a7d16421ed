#include "app/Fonts.h"

#include <QFont>
#include <QStringList>

void registerFontSubstitutions()
{
    // The Naskh face has no Latin letters; those come from the next face
    // that has them, so the Latin face stands before the second Naskh.
    const QStringList sans = {
        QStringLiteral("Noto Naskh Arabic"), QStringLiteral("Noto Sans"),
        QStringLiteral("Amiri"), QStringLiteral("DejaVu Sans"),
    };
    const QStringList serif = {
        QStringLiteral("Noto Naskh Arabic"), QStringLiteral("Noto Serif"),
        QStringLiteral("Amiri"), QStringLiteral("DejaVu Serif"),
    };
    for (const char *family : {"MS Sans Serif", "Tahoma", "Arial", "Arabic Transparent",
                               "Simplified Arabic", "Microsoft Sans Serif", "Segoe UI"})
        QFont::insertSubstitutions(QString::fromLatin1(family), sans);
    for (const char *family : {"Times New Roman", "Traditional Arabic"})
        QFont::insertSubstitutions(QString::fromLatin1(family), serif);
}
