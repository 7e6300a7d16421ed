#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTime>

// When a due reminder waits instead of showing: the user's choices about
// full-screen windows, the desktop's do-not-disturb, time away from the
// keyboard, the active hours and days, the monitor the card goes to, and a
// pause. Kept in their own small file in the data folder ("key=value"
// lines, UTF-8), never in background.txt. A locked screen always holds a
// card and has no choice here.
class HoldSettings : public QObject
{
    Q_OBJECT
public:
    enum class Monitor {
        Primary,
        Pointer,
        ActiveWindow
    };

    // Why the file's values could not be used: the window says so once.
    enum class Problem {
        None,
        Unreadable,
        Damaged
    };

    struct Range
    {
        int low;
        int high;
        bool contains(int value) const { return value >= low && value <= high; }
    };
    static constexpr Range AwayMinutesRange{1, 120};

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

        bool operator==(const Values &) const = default;
    };

    struct Parsed
    {
        Values values;
        bool damaged = false;
    };

    static constexpr char FileName[] = "hold.ini";
    // The file is a dozen short lines; anything longer is not ours.
    static constexpr qint64 ReadLimit = 16 * 1024;

    explicit HoldSettings(const QString &path, QObject *parent = nullptr);

    QString path() const { return m_path; }
    const Values &values() const { return m_values; }
    void setValues(const Values &values);
    void setPausedUntil(const QDateTime &end);

    // Reads the file. A missing one gives the defaults silently; one that
    // cannot be read or is not this file's text gives the defaults,
    // problem() says why, and the file is moved aside as it is (see
    // setDamagedFileAside) before any save could write over the user's
    // choices in it. Where it cannot be moved, nothing is written over it
    // in this run.
    void load();
    Problem problem() const { return m_problem; }
    // Where the file that could not be used was moved; empty when it could
    // not be moved (or nothing was wrong).
    QString setAside() const { return m_setAside; }
    // Written whole through a temporary file: false leaves the old one.
    bool save() const;

    // Unknown keys are skipped and a value out of its range or unreadable
    // takes that key's default; only text that is not lines of "key=value"
    // (or not UTF-8) counts as damaged, and then every value is the default.
    static Parsed parse(const QByteArray &bytes);
    static QByteArray encode(const Values &values);

Q_SIGNALS:
    void changed();

private:
    QString m_path;
    Values m_values;
    Problem m_problem = Problem::None;
    QString m_setAside;
    bool m_keepOff = false; // a file that could not be used is still in the way
};
