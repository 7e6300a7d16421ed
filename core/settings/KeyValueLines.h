#pragma once

#include "core/settings/ValueRange.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTime>
#include <cstddef>
#include <optional>

// The small files of the data folder beside the record are lines of
// "key=value" in UTF-8, with blank lines, "#" comments and, where a file
// keeps a list, "[section]" lines between its items. What they share: the
// reading of such lines and the spelling of their values.
namespace KeyValueLines {

struct Line
{
    QString section; // a "[section]" line: its name, and nothing else set
    QString key;     // lower case, trimmed
    QString value;   // trimmed
    QString untrimmedValue;
};

enum class Sections {
    Refused,
    Allowed
};

// The lines of bytes, or none when they are no such file: more than limit
// bytes, a NUL, not UTF-8, or a line that is neither blank, a comment, a
// section (where allowed) nor "key=value". A byte order mark is allowed.
std::optional<QList<Line>> read(const QByteArray &bytes, qint64 limit, Sections sections = Sections::Refused);

std::optional<bool> boolean(const QString &text);
QByteArray flag(bool on);
// "HH:mm" (or "H:mm") of a valid time.
std::optional<QTime> clockTime(const QString &text);
QByteArray clockText(QTime time);
// Days as "mon,tue,...": Qt::DayOfWeek 1 (Monday) to 7 as bits 1 << 0 to
// 1 << 6; an empty list is no day at all.
std::optional<int> days(const QString &text);
QByteArray dayList(int bits);
// A whole number within range.
std::optional<int> number(const QString &text, ValueRange range);

// Values spelled by name: the one named text (any case), fallback for a
// name not there; and the name of value.
template <typename Value> struct Named
{
    Value value;
    const char *name;
};

template <typename Value, std::size_t N>
Value byName(const Named<Value> (&names)[N], const QString &text, Value fallback)
{
    for (const Named<Value> &n : names) {
        if (text.toLower() == QLatin1String(n.name))
            return n.value;
    }
    return fallback;
}

template <typename Value, std::size_t N> QByteArray nameOf(const Named<Value> (&names)[N], Value value)
{
    for (const Named<Value> &n : names) {
        if (n.value == value)
            return n.name;
    }
    return QByteArray();
}

// A text on one line: a backslash, a line break, a carriage return and a
// tab written as two characters each; none for a value that is no such
// text.
QByteArray escaped(const QString &text);
std::optional<QString> unescaped(const QString &value);

} // namespace KeyValueLines
