#pragma once

#include "core/SettingsRecord.h"

#include <QObject>
#include <QString>
#include <QStringList>

// The user's settings as typed values, each with its default and range,
// kept in background.txt. Windows load from here and report what the user
// chose; only save() writes the record.
class Settings : public QObject
{
    Q_OBJECT
public:
    enum class Unit { Seconds, Minutes, Hours };

    struct Range
    {
        int low;
        int high;
        bool contains(double value) const { return value >= low && value <= high; }
    };
    static constexpr Range IntervalRange{1, 59};
    static constexpr Range DurationRange{3, 59};
    static constexpr Range BackgroundRange{1, 6};

    struct Values
    {
        int interval = 0; // units between reminders; 0 until the user sets one
        Unit unit = Unit::Seconds;
        int duration = 0; // seconds a card stays; 0: until its X
        int background = 1;
        QString fontName = defaultFontName();
        bool runAtLogon = false;

        bool operator==(const Values &) const = default;
    };

    static QString defaultFontName();

    explicit Settings(const QString &path, QObject *parent = nullptr);

    QString path() const { return m_path; }
    const Values &values() const { return m_values; }

    void setValues(const Values &values);
    void setFontName(const QString &name);
    void setBackground(int number);
    void setRunAtLogon(bool on);

    // Reads the record; what is missing or cannot be read takes its default.
    void load();
    // Writes the record through a temporary file: false leaves the old one,
    // byte for byte.
    bool save();

    // The values a record's fields (in file order, possibly fewer than
    // eight, possibly anything) stand for, and the record for values.
    static Values fromFields(const QStringList &fields);
    static SettingsRecord toRecord(const Values &values);
    // A whole count as the number boxes and the record hold it: the text's
    // number rounded half to even, never below 0.
    static int count(const QString &text);

Q_SIGNALS:
    void changed();
    // A save failed, and the one before it (if any) did not: a record that
    // cannot be written is news once, not at every save, until a save
    // succeeds again.
    void saveFailed();

private:
    QString m_path;
    Values m_values;
    bool m_saveFailing = false;
};
