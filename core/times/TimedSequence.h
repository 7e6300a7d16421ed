#pragma once

#include "core/texts/TextRound.h"

#include <QList>

// The texts of one timed reminder coming one card after another: which
// card is up, its place and the count. A card that goes, by its countdown
// or by the user, moves the sequence on; after the last it has ended.
class TimedSequence
{
public:
    TimedSequence() = default;
    explicit TimedSequence(const QList<TextKey> &texts);

    bool running() const { return m_position < m_texts.size(); }
    // The card up now; only while running.
    const TextKey &current() const { return m_texts.at(m_position); }
    // From 1, for the card's "2 / 7".
    int position() const { return int(m_position) + 1; }
    int count() const { return int(m_texts.size()); }
    // The card went: the next one is up, or the sequence has ended (false).
    bool advance();

    // texts as they can still be shown: a text of the user's that is no
    // longer among own (deleted since it was picked) is left out, and so
    // is one usable refuses; the built-ins always stay.
    template <typename Usable>
    static QList<TextKey> playable(const QList<TextKey> &texts, const QList<QString> &own, Usable usable)
    {
        QList<TextKey> kept;
        for (const TextKey &key : texts) {
            if (key.isBuiltIn() || (own.contains(key.own) && usable(key.own)))
                kept.append(key);
        }
        return kept;
    }

private:
    QList<TextKey> m_texts;
    qsizetype m_position = 0;
};
