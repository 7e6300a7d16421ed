#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The 128 reminder texts, in their fixed order, exactly as stored: diacritics,
// punctuation and leading, trailing or doubled spaces included.
class Catalogue
{
public:
    static constexpr int Size = 128;

    // Reads the built-in table; a damaged build yields fewer entries, which
    // the tests catch.
    Catalogue();

    int size() const { return int(m_entries.size()); }
    QString entry(int index) const { return m_entries.value(index); }

    // The entry whose decimal key ("0" .. "127", exact text) is key.
    std::optional<QString> lookUp(const QString &key) const;

    // One index, every one equally likely, from a generator seeded with
    // seed (the caller passes the time, so each screen draws afresh).
    static int pick(quint64 seed);
    static quint64 seedFromClock();

private:
    QStringList m_entries;
};
