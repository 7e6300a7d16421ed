#pragma once

#include "core/settings/Store.h"
#include "core/settings/ValueRange.h"
#include "core/system/DataFiles.h"
#include "core/times/TimedReminder.h"

#include <QByteArray>
#include <QList>

// The reminders at set times of day and how long after its time a missed
// one may still come. Kept in their own file in the data folder (sections
// of "key=value" lines, UTF-8), never in background.txt.
class TimesSettings : public Store
{
    Q_OBJECT
public:
    // A missed reminder comes at the next start or wake up to this long
    // after its time.
    static constexpr ValueRange GraceMinutesRange{0, 24 * 60};
    // More entries than anyone sets by hand, and more texts than a
    // sequence the user would sit through; a file past these is not ours.
    static constexpr int EntryLimit = 100;
    static constexpr int TextLimit = 500;
    static constexpr qint64 ReadLimit = 4 * 1024 * 1024;

    struct Values
    {
        QList<TimedReminder> entries;
        int graceMinutes = 120;
        bool operator==(const Values &) const = default;
    };

    struct Parsed
    {
        Values values;
        bool damaged = false;
    };

    static constexpr const char *FileName = DataFiles::Times;

    explicit TimesSettings(const QString &path, QObject *parent = nullptr);

    // The morning and the evening adhkar, every day, off and without texts
    // until the user picks them.
    static Values defaults();

    const Values &values() const { return m_values; }
    void setValues(const Values &values);

    // Reads the file. A missing one gives the defaults silently; one that
    // cannot be read or is not this file's text gives the defaults,
    // problem() says why, and the file goes aside (see Store).
    void load();
    // Written whole through a temporary file: false leaves the old one.
    bool save() const;

    // Unknown keys are skipped; a value this version cannot read takes its
    // default. Text that is not UTF-8, not lines of "key=value" and
    // "[entry]" headers, or past the limits is damaged: then the result is
    // defaults().
    static Parsed parse(const QByteArray &bytes);
    static QByteArray encode(const Values &values);

private:
    Values m_values = defaults();
};
