#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

// The named values a window keeps for each control it holds. Keys compare
// without regard to case; a value equal to the default given when saving is
// not stored, and a missing key reads as the default given when loading.
// An empty variant equals only another empty one, and a value of a type
// without equality (a picture) never equals its default.
class PropertyStore
{
public:
    void write(const QString &key, const QVariant &value, const QVariant &defaultValue);
    QVariant read(const QString &key, const QVariant &defaultValue) const;

    bool contains(const QString &key) const;
    // Keys in the order they were first written, spelled as written.
    QStringList keys() const;
    bool isEmpty() const { return m_entries.isEmpty(); }

private:
    qsizetype indexOf(const QString &key) const;
    static bool sameValue(const QVariant &a, const QVariant &b);

    QList<QPair<QString, QVariant>> m_entries;
};
