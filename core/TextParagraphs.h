#pragma once

#include <QString>
#include <QStringList>

// The user's texts as a plain text file: one text per paragraph, the
// paragraphs set apart by blank lines, as any editor writes them.
namespace TextParagraphs {

// A text as the program keeps it: each line without the spaces at its
// ends, no blank lines (a blank line would split it in two on the next
// export), line breaks as "\n" whatever the file used.
QString tidied(const QString &text);

// The paragraphs of a file's text, each tidied; a line of nothing but
// spaces counts as blank, and empty paragraphs are skipped.
QStringList split(const QString &text);

// The file's text for texts: one paragraph each, a blank line between
// them, a line break at the end.
QString join(const QStringList &texts);

} // namespace TextParagraphs
