#pragma once

#include <QString>

// A text read as a decimal number the way the number boxes are read: blanks
// before it are skipped, reading stops at the first character that cannot
// continue the number, and no number at all reads as 0. There is no
// hexadecimal, "inf" or "nan".
double numericValue(const QString &text);
