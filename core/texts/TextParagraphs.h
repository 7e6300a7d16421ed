#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The user's texts as a plain text file: one text per paragraph, the
// paragraphs set apart by blank lines, as any editor writes them.
//
// A tab counts as a blank wherever a text is typed or read; every other
// control character (a NUL, an escape, a form feed...) is refused, since
// no card can show it and a file of texts holding one is no text.
namespace TextParagraphs {

// A text as the program keeps it: each line without the spaces at its
// ends, a tab as a space, no blank lines (a blank line would split it in
// two on the next export), line breaks as "\n" whatever the file used.
QString tidied(const QString &text);

// Whether ch is a control character the texts refuse: any but the line
// breaks and the tab.
bool isRefusedControl(QChar ch);

// The number (from 1) of the first line of text that holds a refused
// control character, 0 when none does.
int controlLine(const QString &text);

// The paragraphs of a file's text, each tidied; a line of nothing but
// spaces counts as blank, and empty paragraphs are skipped.
QStringList split(const QString &text);

// The file's text for texts: one paragraph each, a blank line between
// them, a line break at the end.
QString join(const QStringList &texts);

} // namespace TextParagraphs
