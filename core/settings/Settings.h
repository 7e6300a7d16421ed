#pragma once

#include "core/settings/SettingsRecord.h"
#include "core/settings/Store.h"
#include "core/settings/TimeUnit.h"
#include "core/settings/TypedNumber.h"
#include "core/settings/ValueRange.h"

#include <QString>
#include <QStringList>
#include <optional>

// The user's settings as typed values, each with its default and range,
// kept in background.txt. Windows load from here and report what the user
// chose; only save() writes the record. The record is read field by field,
// each that cannot be read taking its default: it is never refused whole,
// so problem() stays None and the file is never set aside.
class Settings : public Store
{
    Q_OBJECT
public:
    using Unit = TimeUnit;

    static constexpr ValueRange IntervalRange{1, 59};
    static constexpr ValueRange DurationRange{3, 59};
    static constexpr ValueRange BackgroundRange{1, 6};

    // The numbers keep the text they were typed or read as: that is what
    // the boxes show and what a save writes back, whatever it stands for.
    struct Values
    {
        TypedNumber interval{QStringLiteral("0")}; // units between reminders; 0 until the user sets one
        Unit unit = Unit::Seconds;
        TypedNumber duration{QStringLiteral("0")}; // seconds a card stays; 0: until its X
        TypedNumber background{QStringLiteral("1")};
        QString fontName = defaultFontName();
        bool runAtLogon = false;

        // The picture the background names: its value when that is a whole
        // number from 1 to 6. Any other value names none of them, and the
        // card keeps its own look.
        std::optional<int> picture() const;

        bool operator==(const Values &) const = default;
    };

    static QString defaultFontName();

    explicit Settings(const QString &path, QObject *parent = nullptr);

    const Values &values() const { return m_values; }

    void setValues(const Values &values);
    void setFontName(const QString &name);
    // One of the six pictures; any other number leaves the background as it is.
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

Q_SIGNALS:
    // A save failed, and the one before it (if any) did not: a record that
    // cannot be written is news once, not at every save, until a save
    // succeeds again.
    void saveFailed();

private:
    Values m_values;
    bool m_saveFailing = false;
};
