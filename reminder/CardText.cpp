#include "reminder/CardText.h"

#include "controls/ArabicFace.h"
#include "core/card/Twips.h"
#include "core/settings/FaceNames.h"
#include "reminder/TextFit.h"

namespace CardText {

QRect area()
{
    return twipsRect(240, 240, 3015, 2175);
}

QFont font(const QString &family)
{
    QFont f;
    setArabicFamily(f, family.isEmpty() ? SansSerifFace : family);
    f.setPointSizeF(13.5);
    f.setWeight(QFont::Normal);
    return f;
}

double pointSize(const QString &text, const QString &family)
{
    return TextFit::fittedPointSize(font(family), text, area().size());
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
