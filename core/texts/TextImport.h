#pragma once

#include "core/texts/ParagraphReader.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

// The paragraphs of a file taken as the user's new texts, a few at a time
// so that a file of tens of thousands never holds the program up. Each
// paragraph is looked up among the texts already there in a hash set and
// measured on the card only when it would be taken; past the room left, the
// rest of the file is only counted.
class TextImport
{
public:
    using Fits = std::function<bool(const QString &)>;

    // existing: the user's texts now; room: how many more may be taken;
    // fits: whether the card can show a text whole.
    TextImport(const QString &fileText, const QStringList &existing, int room, Fits fits);

    // Reads up to count more paragraphs and returns the texts taken from
    // them, in the file's order.
    QStringList step(int count);
    bool done() const { return m_reader.atEnd(); }

    qsizetype position() const { return m_reader.position(); }
    qsizetype size() const { return m_reader.size(); }

    int taken() const { return m_taken; }
    int duplicates() const { return m_duplicates; }
    // New texts left out because the room was used up.
    int overLimit() const { return m_overLimit; }
    // First lines of the paragraphs refused, in the file's order.
    const QList<int> &controlLines() const { return m_controlLines; }
    const QList<int> &tooLongLines() const { return m_tooLongLines; }

private:
    ParagraphReader m_reader;
    QSet<QString> m_known;
    int m_room;
    Fits m_fits;
    int m_taken = 0;
    int m_duplicates = 0;
    int m_overLimit = 0;
    QList<int> m_controlLines;
    QList<int> m_tooLongLines;
};
