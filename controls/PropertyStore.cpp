#include "controls/PropertyStore.h"

void PropertyStore::write(const QString &key, const QVariant &value, const QVariant &defaultValue)
{
    const qsizetype at = indexOf(key);
    if (sameValue(value, defaultValue)) {
        // A store is the saved form of the control: a default leaves no trace,
        // even where an earlier save had put something else.
        if (at >= 0)
            m_entries.removeAt(at);
        return;
    }
    if (at >= 0)
        m_entries[at].second = value;
    else
        m_entries.append({key, value});
}

QVariant PropertyStore::read(const QString &key, const QVariant &defaultValue) const
{
    const qsizetype at = indexOf(key);
    return at >= 0 ? m_entries.at(at).second : defaultValue;
}

bool PropertyStore::contains(const QString &key) const
{
    return indexOf(key) >= 0;
}

QStringList PropertyStore::keys() const
{
    QStringList out;
    out.reserve(m_entries.size());
    for (const auto &e : m_entries)
        out.append(e.first);
    return out;
}

qsizetype PropertyStore::indexOf(const QString &key) const
{
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).first.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool PropertyStore::sameValue(const QVariant &a, const QVariant &b)
{
    if (!a.isValid() || !b.isValid())
        return a.isValid() == b.isValid();
    // A value that cannot be compared (a picture) is always kept; a control
    // writes "none" as an empty variant so that it matches its default.
    if (!a.metaType().isEqualityComparable() || !b.metaType().isEqualityComparable())
        return false;
    return a == b;
}
