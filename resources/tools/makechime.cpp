// Synthesizes the program's soft chime into the resources folder:
//   makechime <resources folder>
// The chime is committed; run this after changing the sound.
//
// SPDX-License-Identifier: GPL-3.0-or-later
// The chime it makes is part of the program and under its licence,
// GPL-3.0-or-later.
#include "core/sound/PcmClip.h"

#include <QFile>
#include <QString>
#include <QtEndian>
#include <QtMath>
#include <cstdio>
#include <vector>

namespace {

// 22.05 kHz carries every partial below (the highest is under 4 kHz) and
// keeps the file small; the server resamples it as it plays.
constexpr int Rate = 22050;
constexpr double Seconds = 1.2;
// Well below full scale: a chime should never be the loudest thing heard.
constexpr double Peak = 0.45;

struct Partial
{
    double ratio;     // to the note's pitch; a bell's are not whole numbers
    double amplitude; // relative
    double decay;     // per second
};
const Partial kBell[] = {{1.0, 1.0, 2.6}, {2.0, 0.32, 4.0}, {2.76, 0.16, 5.5}, {5.4, 0.05, 9.0}};

struct Note
{
    double pitch; // Hz
    double start; // seconds
    double level;
};
// A falling third (E5 then C5), the second softer: it ends at rest.
const Note kNotes[] = {{659.25, 0.0, 1.0}, {523.25, 0.22, 0.8}};

double sampleAt(double t)
{
    double sum = 0;
    for (const Note &note : kNotes) {
        const double u = t - note.start;
        if (u < 0)
            continue;
        // A gentle 20 ms rise: no click at the onset.
        const double attack = u < 0.02 ? 0.5 - 0.5 * qCos(M_PI * u / 0.02) : 1.0;
        for (const Partial &p : kBell)
            sum += note.level * attack * p.amplitude * qExp(-p.decay * u) * qSin(2 * M_PI * note.pitch * p.ratio * u);
    }
    // The last 150 ms fade to silence, so the file ends at zero.
    const double left = Seconds - t;
    if (left < 0.15)
        sum *= 0.5 - 0.5 * qCos(M_PI * qMax(0.0, left) / 0.15);
    return sum;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: makechime <resources folder>\n");
        return 2;
    }
    const int frames = int(Rate * Seconds);
    std::vector<double> wave(size_t(frames), 0.0);
    double loudest = 0;
    for (int i = 0; i < frames; ++i) {
        wave[size_t(i)] = sampleAt(double(i) / Rate);
        loudest = qMax(loudest, qAbs(wave[size_t(i)]));
    }
    PcmClip clip;
    clip.sampleRate = Rate;
    clip.samples.resize(qsizetype(frames) * 2);
    for (int i = 0; i < frames; ++i) {
        const auto s = qint16(qRound(wave[size_t(i)] / loudest * Peak * 32767));
        qToLittleEndian<qint16>(s, clip.samples.data() + 2 * i);
    }
    QFile out(QString::fromLocal8Bit(argv[1]) + QStringLiteral("/sounds/chime.wav"));
    if (!out.open(QIODevice::WriteOnly) || out.write(clip.wav()) < 0) {
        std::fprintf(stderr, "makechime: cannot write %s\n", qPrintable(out.fileName()));
        return 1;
    }
    return 0;
}
