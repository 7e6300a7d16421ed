#include "reminder/CardText.h"

#include "controls/ArabicFace.h"
#include "core/card/Twips.h"
#include "core/settings/FaceNames.h"
#include "reminder/TextFit.h"

#include <algorithm>

namespace CardText {

QRect area(int percent)
{
    return scaledTwipsRect(240, 240, 3015, 2175, percent);
}

QFont font(const QString &family, int percent)
{
    QFont f;
    setArabicFamily(f, family.isEmpty() ? SansSerifFace : family);
    f.setPointSizeF(13.5 * percent / 100.0);
    f.setWeight(QFont::Normal);
    return f;
}

double pointSize(const QString &text, const QString &family, int percent)
{
    return TextFit::fittedPointSize(font(family, percent), text, area(percent).size());
}

int fittingPercent(const QString &text, const QString &family, int percent)
{
    // Steps of 5 in a hundred: a card a little larger than chosen rather
    // than a verse cut or set too small to read.
    constexpr int Step = 5;
    QFont f = font(family);
    f.setPointSizeF(TextFit::FloorPoints);
    int p = percent;
    while (p < 100 && !TextFit::fits(f, text, area(p).size()))
        p = std::min(p + Step, 100);
    return p;
}

Verdict check(const QString &text, const QString &family)
{
    if (text.trimmed().isEmpty())
        return Verdict::Blank;
    QFont f = font(family);
    f.setPointSizeF(TextFit::FloorPoints);
    return TextFit::fits(f, text, area().size()) ? Verdict::Fits : Verdict::TooLong;
}

QString message(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Blank: return QStringLiteral("النص فارغ، فاكتب شيئاً.");
    case Verdict::TooLong: return QStringLiteral("النص أطول مما تسعه البطاقة كاملاً حتى بأصغر حجم للخط، فاختصره.");
    case Verdict::Fits: break;
    }
    return QString();
}

} // namespace CardText
