#pragma once

#include <QString>

// The forms an Arabic noun takes after a number: the singular (after 1,
// and after 11 and up), the dual (2) and the plural (3 to 10).
struct NounForms
{
    QString singular;
    QString dual;
    QString plural;
};

namespace Nouns {
inline const NounForms Second{QStringLiteral("ثانية"), QStringLiteral("ثانيتان"), QStringLiteral("ثوانٍ")};
inline const NounForms Minute{QStringLiteral("دقيقة"), QStringLiteral("دقيقتان"), QStringLiteral("دقائق")};
inline const NounForms Hour{QStringLiteral("ساعة"), QStringLiteral("ساعتان"), QStringLiteral("ساعات")};
inline const NounForms Day{QStringLiteral("يوم"), QStringLiteral("يومان"), QStringLiteral("أيام")};
} // namespace Nouns

// The form of the noun that agrees with count. Past a hundred the last two
// digits decide, as they are read ("مئة ودقيقتان"); a round hundred, and
// nothing at all, take the singular.
QString countedNoun(qint64 count, const NounForms &forms);

// The count with its noun, as a sentence says it: one and two by the noun
// alone ("ساعة", "دقيقتان"), any other count in digits before its form
// ("15 دقيقة", "3 أيام").
QString withCount(qint64 count, const NounForms &forms);
