#include "core/texts/TextRound.h"

#include <QRandomGenerator>
#include <QSet>

namespace TextRound {

int uniform(int count, quint64 seed)
{
    QRandomGenerator generator(quint32(seed) ^ quint32(seed >> 32));
    return int(generator.bounded(quint32(count)));
}

Step next(const QList<TextKey> &on, const QList<TextKey> &shown, quint64 seed)
{
    Step step;
    if (on.isEmpty()) {
        step.shown = shown;
        return step;
    }
    // Looked up in a set: with thousands of texts on, a list would be
    // searched once for each of them.
    const QSet<TextKey> seen(shown.cbegin(), shown.cend());
    QList<int> open;
    for (int i = 0; i < on.size(); ++i) {
        if (!seen.contains(on.at(i)))
            open << i;
    }
    if (open.isEmpty()) {
        // A new round.
        const TextKey last = shown.isEmpty() ? TextKey() : shown.constLast();
        for (int i = 0; i < on.size(); ++i) {
            if (on.size() == 1 || !(on.at(i) == last))
                open << i;
        }
    } else {
        step.shown = shown;
    }
    step.chosen = open.at(uniform(int(open.size()), seed));
    step.shown << on.at(step.chosen);
    return step;
}

} // namespace TextRound
