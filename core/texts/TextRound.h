#pragma once

#include <QHashFunctions>
#include <QList>
#include <QString>
#include <QtGlobal>

// One reminder text as the choices and the round name it: a built-in by its
// number in the catalogue, one of the user's by its words (two of the
// user's texts never have the same words, so the words are a name that
// survives the texts before it being removed).
struct TextKey
{
    int builtIn = -1;
    QString own;

    static TextKey ofBuiltIn(int number) { return {number, QString()}; }
    static TextKey ofOwn(const QString &text) { return {-1, text}; }
    bool isBuiltIn() const { return builtIn >= 0; }
    bool operator==(const TextKey &) const = default;
};

inline size_t qHash(const TextKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.builtIn, key.own);
}

// "Each text once before any repeats": a round is the texts shown since it
// began, oldest first. The next text is drawn evenly from the texts that
// are on and not yet shown, so the round is a shuffle of them whichever
// texts are switched on or off meanwhile; keeping what was shown rather
// than a shuffled order means a text switched on mid-round simply joins
// it, and one switched off and on again is not shown twice.
namespace TextRound {

// One of count (> 0) places, every one equally likely, from a generator
// seeded with seed.
int uniform(int count, quint64 seed);

struct Step
{
    int chosen = -1;      // index into on; -1 when nothing is on
    QList<TextKey> shown; // the round with the chosen text added
};

// The next text of the round. Once every text that is on has been shown a
// new round begins, which does not open with the text the last one ended
// on while another is on.
Step next(const QList<TextKey> &on, const QList<TextKey> &shown, quint64 seed);

} // namespace TextRound
