#include "app/Fonts.h"

#include "controls/WindowLook.h"

#include <QFont>
#include <QStringList>

void registerFontSubstitutions()
{
    // Each name the windows and the font box offer gets a face of its own
    // kind, so that choosing another font shows another face: the default
    // name a plain modern Naskh, Tahoma a Kufi, the serif names the
    // traditional Naskh of the old printed books. The default is set on
    // the card more than any other: its face has a short line box, so that
    // nearly every text fits the card at full size with its diacritics
    // clear of the next line (the plain sans Arabic stands a third taller
    // and sets half the texts small). Where the Arabic face has no Latin
    // letters, the Latin face after it supplies them. Windows ships its own
    // Naskh faces with Arabic support, which come after the free ones.
    const QStringList sans = {
        QStringLiteral("Noto Naskh Arabic"), QStringLiteral("Noto Sans"),      QStringLiteral("Noto Sans Arabic"),
        QStringLiteral("DejaVu Sans"),       QStringLiteral("Sakkal Majalla"), QStringLiteral("Traditional Arabic"),
    };
    const QStringList kufi = {
        QStringLiteral("Noto Kufi Arabic"),
        QStringLiteral("Noto Sans"),
        QStringLiteral("Noto Sans Arabic"),
        QStringLiteral("DejaVu Sans"),
    };
    const QStringList naskh = {
        QStringLiteral("Noto Naskh Arabic"), QStringLiteral("Noto Sans"),      QStringLiteral("Amiri"),
        QStringLiteral("DejaVu Sans"),       QStringLiteral("Sakkal Majalla"), QStringLiteral("Traditional Arabic"),
    };
    const QStringList serif = {
        QStringLiteral("Amiri"),
        QStringLiteral("Noto Serif"),
        QStringLiteral("Noto Naskh Arabic"),
        QStringLiteral("DejaVu Serif"),
    };
    for (const char *family : {"MS Sans Serif", "Microsoft Sans Serif", "Arial", "Segoe UI"})
        QFont::insertSubstitutions(QString::fromLatin1(family), sans);
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), kufi);
    for (const char *family : {"Arabic Transparent", "Simplified Arabic"})
        QFont::insertSubstitutions(QString::fromLatin1(family), naskh);
    for (const char *family : {"Times New Roman", "Traditional Arabic"})
        QFont::insertSubstitutions(QString::fromLatin1(family), serif);
}

QFont interfaceFont()
{
    return windowFont();
}
