#include "core/texts/TextMatch.h"

namespace TextMatch {

namespace {

bool isDropped(char16_t c)
{
    return (c >= 0x064B && c <= 0x065F)  // tanween, harakat, shadda, sukun, hamza marks
        || c == 0x0670                   // superscript alef
        || c == 0x0640                   // tatweel
        || (c >= 0x0610 && c <= 0x061A)  // honorifics written above
        || (c >= 0x06D6 && c <= 0x06ED); // Quranic annotation marks
}

bool isAlef(char16_t c)
{
    return c == 0x0622 || c == 0x0623 || c == 0x0625 || c == 0x0671;
}

} // namespace

QString folded(const QString &text)
{
    const QString plain = text.normalized(QString::NormalizationForm_KC).toCaseFolded();
    QString out;
    out.reserve(plain.size());
    bool space = false;
    for (const QChar ch : plain) {
        const char16_t c = ch.unicode();
        if (isDropped(c))
            continue;
        if (ch.isSpace()) {
            space = !out.isEmpty();
            continue;
        }
        if (space)
            out += QLatin1Char(' ');
        space = false;
        out += isAlef(c) ? QChar(0x0627) : ch;
    }
    return out;
}

bool contains(const QString &text, const QString &query)
{
    return folded(text).contains(folded(query));
}

} // namespace TextMatch
