#include "core/hold/CountedNoun.h"

QString countedNoun(qint64 count, const NounForms &forms)
{
    qint64 lastTwo = count % 100;
    if (lastTwo < 0)
        lastTwo = -lastTwo;
    if (lastTwo == 2)
        return forms.dual;
    if (lastTwo >= 3 && lastTwo <= 10)
        return forms.plural;
    return forms.singular;
}

QString withCount(qint64 count, const NounForms &forms)
{
    if (count == 1 || count == 2)
        return countedNoun(count, forms);
    return QString::number(count) + QLatin1Char(' ') + countedNoun(count, forms);
}
