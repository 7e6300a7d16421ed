#pragma once

#include "core/settings/Store.h"
#include "core/settings/ValueRange.h"
#include "core/system/DataFiles.h"

#include <QString>

// The sound a card comes with: none (the default), the program's own soft
// chime, or a WAV file of the user's; its volume, and whether to keep quiet
// while another program plays audio. Kept in its own small file in the data
// folder ("key=value" lines, UTF-8), never in background.txt.
class SoundSettings : public Store
{
    Q_OBJECT
public:
    enum class Choice {
        None,
        Chime,
        File
    };

    static constexpr ValueRange VolumeRange{0, 100};

    struct Values
    {
        Choice choice = Choice::None;
        QString file; // the user's WAV file, kept while another choice is made
        int volume = 70;
        bool avoidClash = true; // no sound while another program plays audio

        bool operator==(const Values &) const = default;
    };

    struct Parsed
    {
        Values values;
        bool damaged = false;
    };

    static constexpr const char *FileName = DataFiles::Sound;
    // A handful of short lines and one path; anything longer is not ours.
    static constexpr qint64 ReadLimit = 16 * 1024;

    explicit SoundSettings(const QString &path, QObject *parent = nullptr);

    const Values &values() const { return m_values; }
    void setValues(const Values &values);

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
