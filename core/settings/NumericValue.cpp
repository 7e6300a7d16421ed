#include "core/settings/NumericValue.h"

#include <limits>

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The power of ten of the number written in text[start, end), roughly:
// where its first significant digit stands, shifted by its exponent.
// Enough to tell an underflow from an overflow.
qint64 decimalMagnitude(const QString &text, qsizetype start, qsizetype end)
{
    qsizetype i = start;
    if (i < end && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        ++i;
    qint64 magnitude = 0;
    bool significant = false;
    bool fraction = false;
    for (; i < end && text.at(i) != QLatin1Char('e') && text.at(i) != QLatin1Char('E'); ++i) {
        if (text.at(i) == QLatin1Char('.')) {
            fraction = true;
        } else if (significant) {
            if (!fraction)
                ++magnitude;
        } else if (text.at(i) != QLatin1Char('0')) {
            significant = true;
            if (fraction)
                --magnitude;
        } else if (fraction) {
            --magnitude;
        }
    }
    if (!significant)
        return std::numeric_limits<qint64>::min();
    qint64 exponent = 0;
    bool negative = false;
    if (i < end) {
        ++i;
        if (i < end && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
            negative = text.at(i++) == QLatin1Char('-');
        // Saturates: a thousand-digit exponent is as good as a four-digit one.
        for (; i < end; ++i)
            exponent = qMin<qint64>(exponent * 10 + (text.at(i).unicode() - '0'), 1'000'000'000);
    }
    return magnitude + (negative ? -exponent : exponent);
}

} // namespace

double numericValue(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t')))
        ++i;
    const qsizetype start = i;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(text.at(i))) {
        ++i;
        ++digits;
    }
    if (i < n && text.at(i) == QLatin1Char('.')) {
        qsizetype j = i + 1;
        while (j < n && isDigit(text.at(j))) {
            ++j;
            ++digits;
        }
        if (digits > 0)
            i = j;
    }
    if (digits == 0)
        return 0.0;
    // An exponent counts only when digits follow it: "5e" is 5.
    if (i < n && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < n && (text.at(j) == QLatin1Char('+') || text.at(j) == QLatin1Char('-')))
            ++j;
        const qsizetype expStart = j;
        while (j < n && isDigit(text.at(j)))
            ++j;
        if (j > expStart)
            i = j;
    }
    bool ok = false;
    const double v = text.mid(start, i - start).toDouble(&ok);
    if (ok)
        return v;
    // Out of range: too small to tell from 0, or past the largest number,
    // with the sign telling which end.
    const bool negative = text.at(start) == QLatin1Char('-');
    if (decimalMagnitude(text, start, i) < 0)
        return negative ? -0.0 : 0.0;
    return negative ? -1e308 : 1e308;
}
