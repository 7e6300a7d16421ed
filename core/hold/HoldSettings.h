#pragma once

#include "core/card/CardGeometry.h"
#include "core/settings/Store.h"
#include "core/settings/ValueRange.h"
#include "core/system/DataFiles.h"

#include <QDateTime>
#include <QString>
#include <QTime>

// When a due reminder waits instead of showing: the user's choices about
// full-screen windows, the desktop's do-not-disturb, time away from the
// keyboard, the active hours and days, the monitor the card goes to, its
// corner and size there, and a pause. Kept in their own small file in the data folder ("key=value"
// lines, UTF-8), never in background.txt. A locked screen always holds a
// card and has no choice here.
class HoldSettings : public Store
{
    Q_OBJECT
public:
    enum class Monitor {
        Primary,
        Pointer,
        ActiveWindow
    };

    static constexpr ValueRange AwayMinutesRange{1, 120};

    // Qt::DayOfWeek 1 (Monday) to 7 (Sunday) as bits 1 << 0 to 1 << 6.
    static constexpr int AllDays = 0x7f;
    static constexpr int dayBit(int dayOfWeek) { return 1 << (dayOfWeek - 1); }

    struct Values
    {
        bool fullScreen = true;   // hold while the active window is full screen
        bool doNotDisturb = true; // follow the desktop's do-not-disturb switch
        bool away = false;        // hold after awayMinutes without input
        int awayMinutes = 5;
        bool activeHours = false; // show cards only inside [hoursStart, hoursEnd) on days
        QTime hoursStart{8, 0};
        QTime hoursEnd{22, 0};
        int days = AllDays;
        Monitor monitor = Monitor::Primary;
        QDateTime pausedUntil; // invalid: no pause
        CardGeometry::Corner corner = CardGeometry::Corner::BottomRight;
        CardGeometry::Size size = CardGeometry::Size::Normal;

        bool operator==(const Values &) const = default;
    };

    struct Parsed
    {
        Values values;
        bool damaged = false;
    };

    static constexpr const char *FileName = DataFiles::Hold;
    // The file is a dozen short lines; anything longer is not ours.
    static constexpr qint64 ReadLimit = 16 * 1024;

    explicit HoldSettings(const QString &path, QObject *parent = nullptr);

    const Values &values() const { return m_values; }
    void setValues(const Values &values);
    void setPausedUntil(const QDateTime &end);

    // Reads the file. A missing one gives the defaults silently; one that
    // cannot be read or is not this file's text gives the defaults,
    // problem() says why, and the file goes aside (see Store).
    void load();
    // Written whole through a temporary file: false leaves the old one.
    bool save() const;

    // Unknown keys are skipped and a value out of its range or unreadable
    // takes that key's default; only text that is not lines of "key=value"
    // (or not UTF-8) counts as damaged, and then every value is the default.
    static Parsed parse(const QByteArray &bytes);
    static QByteArray encode(const Values &values);

private:
    Values m_values;
};
