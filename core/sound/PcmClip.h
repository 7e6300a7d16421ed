#pragma once

#include <QByteArray>
#include <QtEndian>
#include <cstring>

// A sound ready for the sound server: signed 16-bit little-endian samples,
// the channels interleaved. Plain data with its code in this header, so
// that the sound module needs nothing of the program's to play it.
struct PcmClip
{
    QByteArray samples;
    int channels = 1;
    int sampleRate = 44100;

    qint64 frames() const { return samples.size() / (2 * channels); }
    qint64 durationMs() const { return frames() * 1000 / sampleRate; }

    // The clip as a 16-bit PCM WAV file.
    QByteArray wav() const
    {
        const auto dataSize = quint32(samples.size());
        QByteArray out(44, '\0');
        char *p = out.data();
        std::memcpy(p, "RIFF", 4);
        qToLittleEndian<quint32>(36 + dataSize, p + 4);
        std::memcpy(p + 8, "WAVEfmt ", 8);
        qToLittleEndian<quint32>(16, p + 16);
        qToLittleEndian<quint16>(1, p + 20); // PCM
        qToLittleEndian<quint16>(quint16(channels), p + 22);
        qToLittleEndian<quint32>(quint32(sampleRate), p + 24);
        qToLittleEndian<quint32>(quint32(sampleRate * channels * 2), p + 28);
        qToLittleEndian<quint16>(quint16(channels * 2), p + 32);
        qToLittleEndian<quint16>(16, p + 34);
        std::memcpy(p + 36, "data", 4);
        qToLittleEndian<quint32>(dataSize, p + 40);
        return out + samples;
    }
};
