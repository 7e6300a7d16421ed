#pragma once

#include <QString>

// A number as the user typed it or the record holds it. The text is what
// the boxes show and the record keeps, character for character ("05" stays
// "05"); the value is what the range checks judge (0.6 is not 1); the count
// is the whole number the timers run on.
class TypedNumber
{
public:
    TypedNumber() = default;
    explicit TypedNumber(const QString &text)
        : m_text(text)
    {
    }

    const QString &text() const { return m_text; }
    // Read as the number boxes are read (see numericValue): "abc" is 0.
    double value() const;
    // The value rounded half to even, never below 0.
    int count() const;

    bool operator==(const TypedNumber &) const = default;

private:
    QString m_text;
};
