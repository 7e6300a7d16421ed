#include "app/Fonts.h"

#include <QFont>
#include <QStringList>

void registerFontSubstitutions()
{
    const QStringList sans = {
        QStringLiteral("Noto Naskh Arabic"), QStringLiteral("Amiri"),
        QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans"),
    };
    const QStringList serif = {
        QStringLiteral("Noto Naskh Arabic"), QStringLiteral("Amiri"),
        QStringLiteral("Noto Serif"), QStringLiteral("DejaVu Serif"),
    };
    for (const char *family : {"MS Sans Serif", "Tahoma", "Arial", "Arabic Transparent",
                               "Simplified Arabic", "Microsoft Sans Serif", "Segoe UI"})
        QFont::insertSubstitutions(QString::fromLatin1(family), sans);
    for (const char *family : {"Times New Roman", "Traditional Arabic"})
        QFont::insertSubstitutions(QString::fromLatin1(family), serif);
}
