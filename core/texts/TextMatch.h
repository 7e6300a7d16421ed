#pragma once

#include <QString>

// Finding a reminder text by a few of its words, typed as people type
// them: without the short vowels and the other marks the texts carry, with
// any of the alef's forms, in any letter case and with any spacing.
namespace TextMatch {

// text reduced to what the search compares: compatibility forms (the
// presentation forms a copy from a PDF brings) read as the plain letters;
// the harakat, tanween, shadda, sukun, the superscript alef, the Quranic
// annotation marks and the tatweel dropped; أ إ آ ٱ read as ا; letters case
// folded; every run of white space one space, none at either end.
//
// The hamza on و and ي is kept: ؤ and ئ are letters of their own, and a
// search for one should not find the other. The alef's forms are folded
// because their hamza is the mark most often left out when typing.
QString folded(const QString &text);

// Whether text holds query once both are folded; an empty query matches
// every text.
bool contains(const QString &text, const QString &query);

} // namespace TextMatch
