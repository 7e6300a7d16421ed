#include "core/fetch/SwfSound.h"

#include "core/fetch/SwfCheck.h"

#include <QtEndian>

namespace {

// Tags of sounds, their streams and the calls that start them, and of
// ActionScript 3 code.
bool makesSound(int code)
{
    switch (code) {
    case 14: // DefineSound
    case 15: // StartSound
    case 18: // SoundStreamHead
    case 19: // SoundStreamBlock
    case 45: // SoundStreamHead2
    case 89: // StartSound2
    case 72: // DoABC, first form
    case 82: // DoABC
        return true;
    default: return false;
    }
}

constexpr int DefineSprite = 39;
constexpr int SpriteHeaderBytes = 4; // its id and frame count

// Walks the tags in [at, end); a sprite's own tags are walked too (sprites
// do not hold sprites). An End tag or the end of the range finishes the
// walk; a tag that claims more than is left means the movie is damaged.
bool tagsMayPlaySound(QByteArrayView data, qsizetype at, qsizetype end, bool inSprite)
{
    while (at < end) {
        if (end - at < 2)
            return true;
        const quint16 head = qFromLittleEndian<quint16>(data.data() + at);
        at += 2;
        const int code = head >> 6;
        qint64 length = head & 0x3F;
        if (length == 0x3F) {
            if (end - at < 4)
                return true;
            length = qFromLittleEndian<quint32>(data.data() + at);
            at += 4;
        }
        if (length > end - at)
            return true;
        if (code == 0)
            return false;
        if (makesSound(code))
            return true;
        if (code == DefineSprite && !inSprite && length >= SpriteHeaderBytes
            && tagsMayPlaySound(data, at + SpriteHeaderBytes, at + length, true))
            return true;
        at += length;
    }
    return false;
}

} // namespace

bool swfTagsMayPlaySound(QByteArrayView unpacked)
{
    if (unpacked.isEmpty())
        return true;
    // The stage's rectangle: five bits telling the size of its four
    // numbers, the whole rounded up to bytes; then the frame rate and count.
    const int rectBits = 5 + 4 * (quint8(unpacked.front()) >> 3);
    const qsizetype tags = (rectBits + 7) / 8 + 4;
    if (tags > unpacked.size())
        return true;
    return tagsMayPlaySound(unpacked, tags, unpacked.size(), false);
}

bool swfMayPlaySound(QIODevice &movie)
{
    return swfTagsMayPlaySound(unpackSwf(movie));
}
