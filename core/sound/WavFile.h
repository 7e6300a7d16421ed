#pragma once

#include "core/sound/PcmClip.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The WAV files a card can sound with: uncompressed PCM of 8 or 16 bits, one
// or two channels, at any usual rate. Both systems' event-sound paths take
// WAV, and a short sound needs nothing more.
namespace WavFile {

// Larger than any notification sound; a long piece of music is no chime.
inline constexpr qint64 SizeLimit = 8 * 1024 * 1024;

enum class Problem {
    None,
    Unreadable, // missing, a folder, or the read failed
    TooLarge,   // above SizeLimit
    NotPlayable // not a WAV file, or one of a kind not played here
};

struct Loaded
{
    std::optional<PcmClip> clip;
    Problem problem = Problem::None;
};

// The clip in a whole WAV file, as 16-bit samples; none when it is not one
// of the kinds above or holds no sound. A file cut short keeps what it has.
std::optional<PcmClip> parse(const QByteArray &bytes);
Loaded load(const QString &path);

// The clip at volume (0 to 100, 100 as recorded). The gain follows the
// square of the volume, nearer to how loud people hear it than a straight
// line: half way is clearly softer, not barely.
PcmClip atVolume(PcmClip clip, int volume);

} // namespace WavFile
