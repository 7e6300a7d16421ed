#pragma once

#include <QByteArrayView>
#include <QtGlobal>

// What the first bytes of a downloaded movie say about it. A movie starts
// with "FWS" (uncompressed), "CWS" (zlib) or "ZWS" (LZMA), a version byte
// and the little-endian length of the whole movie once uncompressed.
enum class SwfVerdict {
    Movie,
    NotAMovie,  // no movie signature, or too short to hold one
    Incomplete, // uncompressed, and not the length its header declares
    TooLarge,   // would unpack to more than SwfMaxUnpackedBytes
};

// The player unpacks a movie whole into memory: a small compressed file
// may declare gigabytes. Nothing larger than this is installed.
inline constexpr qint64 SwfMaxUnpackedBytes = 64 * 1024 * 1024;
inline constexpr int SwfHeaderBytes = 8;

// head: the file's first bytes (at least SwfHeaderBytes for a movie);
// size: the whole file's size.
SwfVerdict checkSwf(QByteArrayView head, qint64 size);
