#include "core/sound/WavFile.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>

namespace {

constexpr quint16 FormatPcm = 1;
constexpr quint16 FormatExtensible = 0xfffe;

quint16 u16(const char *p)
{
    return qFromLittleEndian<quint16>(p);
}
quint32 u32(const char *p)
{
    return qFromLittleEndian<quint32>(p);
}

struct Format
{
    int channels = 0;
    int rate = 0;
    int bits = 0;
};

std::optional<Format> readFormat(const char *p, quint32 size)
{
    if (size < 16)
        return std::nullopt;
    quint16 tag = u16(p);
    // The extensible header names the true format in its first two bytes
    // of the sub-format's GUID.
    if (tag == FormatExtensible && size >= 26)
        tag = u16(p + 24);
    const Format f{u16(p + 2), int(u32(p + 4)), u16(p + 14)};
    if (tag != FormatPcm || f.channels < 1 || f.channels > 2 || f.rate < 8000 || f.rate > 192000
        || (f.bits != 8 && f.bits != 16))
        return std::nullopt;
    return f;
}

} // namespace

namespace WavFile {

std::optional<PcmClip> parse(const QByteArray &bytes)
{
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    std::optional<Format> format;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const char *head = bytes.constData() + at;
        const QByteArray id(head, 4);
        const qint64 size = u32(head + 4);
        const qsizetype body = at + 8;
        const qsizetype available = std::min<qint64>(size, bytes.size() - body);
        if (id == "fmt ") {
            if (available < size)
                return std::nullopt;
            format = readFormat(bytes.constData() + body, quint32(size));
            if (!format)
                return std::nullopt;
        } else if (id == "data") {
            if (!format)
                return std::nullopt;
            const int inBytes = format->bits / 8;
            const qsizetype frames = available / (inBytes * format->channels);
            if (frames == 0)
                return std::nullopt;
            PcmClip clip;
            clip.channels = format->channels;
            clip.sampleRate = format->rate;
            const qsizetype count = frames * format->channels;
            if (format->bits == 16) {
                clip.samples = bytes.mid(body, count * 2);
            } else {
                clip.samples.resize(count * 2);
                const auto *in = reinterpret_cast<const uchar *>(bytes.constData() + body);
                for (qsizetype i = 0; i < count; ++i)
                    qToLittleEndian<qint16>(qint16((in[i] - 128) * 256), clip.samples.data() + 2 * i);
            }
            return clip;
        }
        // Chunks are padded to an even length.
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

Loaded load(const QString &path)
{
    Loaded loaded;
    const QFileInfo info(path);
    if (!info.isFile()) {
        loaded.problem = Problem::Unreadable;
        return loaded;
    }
    if (info.size() > SizeLimit) {
        loaded.problem = Problem::TooLarge;
        return loaded;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        loaded.problem = Problem::Unreadable;
        return loaded;
    }
    // The size again, for a file that grew since it was looked at.
    const QByteArray bytes = file.read(SizeLimit + 1);
    if (bytes.size() > SizeLimit) {
        loaded.problem = Problem::TooLarge;
        return loaded;
    }
    loaded.clip = parse(bytes);
    if (!loaded.clip)
        loaded.problem = Problem::NotPlayable;
    return loaded;
}

PcmClip atVolume(PcmClip clip, int volume)
{
    const double v = std::clamp(volume, 0, 100) / 100.0;
    const double gain = v * v;
    if (gain == 1.0)
        return clip;
    char *p = clip.samples.data();
    for (qsizetype i = 0; i + 1 < clip.samples.size(); i += 2) {
        const double s = qFromLittleEndian<qint16>(p + i) * gain;
        qToLittleEndian<qint16>(qint16(s), p + i);
    }
    return clip;
}

} // namespace WavFile
