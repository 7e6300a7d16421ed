#pragma once

#include <QByteArray>

class QIODevice;

// What a downloaded movie's bytes say about it. A movie starts with "FWS"
// (uncompressed), "CWS" (zlib) or "ZWS" (LZMA), a version byte and the
// little-endian length of the whole movie once uncompressed.
enum class SwfVerdict {
    Movie,
    NotAMovie,  // no movie signature, or too short to hold one
    Incomplete, // not whole: cut short, damaged, or not the length its header declares
    TooLarge,   // declares more than SwfMaxUnpackedBytes
};

// The player unpacks a movie whole into memory: a small compressed file
// may declare gigabytes. Nothing larger than this is installed.
inline constexpr qint64 SwfMaxUnpackedBytes = 64 * 1024 * 1024;
inline constexpr int SwfHeaderBytes = 8;

// Reads the movie from the device's current position to its end. A
// compressed movie is unpacked on the way, its output counted and thrown
// away: it is whole only when its stream ends properly, exactly at the
// length its header declares, with nothing after it. Memory stays small
// whatever the file claims; the work stops as soon as the answer is known.
SwfVerdict checkSwf(QIODevice &movie);

// The movie read from the device's current position, unpacked: what
// follows its header. Empty for anything checkSwf() does not find whole.
QByteArray unpackSwf(QIODevice &movie);
