#include "reminder/SoundChoice.h"

#include "core/sound/WavFile.h"
#include "resources/Sounds.h"

std::optional<PcmClip> chosenClip(const SoundSettings::Values &values)
{
    QString path;
    switch (values.choice) {
    case SoundSettings::Choice::None: return std::nullopt;
    case SoundSettings::Choice::Chime: path = chimeFile(); break;
    case SoundSettings::Choice::File: path = values.file; break;
    }
    if (path.isEmpty())
        return std::nullopt;
    const WavFile::Loaded loaded = WavFile::load(path);
    if (!loaded.clip)
        return std::nullopt;
    return WavFile::atVolume(*loaded.clip, values.volume);
}
