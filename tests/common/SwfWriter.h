#pragma once

#include <QByteArray>
#include <QtEndian>
#include <lzma.h>

// Builds small Flash movies for the player tests: a stage of the strip's
// proportions, a background colour, a red square and a few frames.
namespace SwfWriter {

inline void putBits(QByteArray &out, int &bitPos, quint32 value, int bits)
{
    for (int i = bits - 1; i >= 0; --i) {
        if (bitPos % 8 == 0)
            out.append('\0');
        if (value >> i & 1)
            out[out.size() - 1] = char(out.at(out.size() - 1) | (0x80 >> (bitPos % 8)));
        ++bitPos;
    }
}

inline QByteArray rect(qint32 xmin, qint32 xmax, qint32 ymin, qint32 ymax)
{
    QByteArray out;
    int bit = 0;
    const int n = 16;
    putBits(out, bit, n, 5);
    for (qint32 v : {xmin, xmax, ymin, ymax})
        putBits(out, bit, quint32(v) & 0xFFFF, n);
    return out;
}

inline QByteArray tag(int code, const QByteArray &body)
{
    QByteArray out(2, '\0');
    if (body.size() < 63) {
        qToLittleEndian<quint16>(quint16(code << 6 | body.size()), out.data());
    } else {
        qToLittleEndian<quint16>(quint16(code << 6 | 0x3F), out.data());
        QByteArray len(4, '\0');
        qToLittleEndian<quint32>(quint32(body.size()), len.data());
        out += len;
    }
    return out + body;
}

inline QByteArray u16(quint16 v)
{
    QByteArray b(2, '\0');
    qToLittleEndian<quint16>(v, b.data());
    return b;
}

// A movie of signature ("FWS", "CWS" zlib or "ZWS" LZMA) whose header
// declares the length given, with body packed after it.
inline QByteArray packed(const char *signature, quint32 declared, const QByteArray &body)
{
    QByteArray out(signature);
    out += char(10);
    out += QByteArray(4, '\0');
    qToLittleEndian<quint32>(declared, out.data() + 4);
    if (out.startsWith("CWS"))
        return out + qCompress(body, 9).mid(4);
    if (!out.startsWith("ZWS"))
        return out + body;
    // The .lzma format's header (5 bytes of properties, 8 of length) gives
    // way to the movie's: the data's length, then the properties.
    lzma_options_lzma options;
    lzma_lzma_preset(&options, 6);
    lzma_stream stream = LZMA_STREAM_INIT;
    QByteArray lzma(int(body.size() + body.size() / 2 + 4096), '\0');
    if (lzma_alone_encoder(&stream, &options) != LZMA_OK)
        return {};
    stream.next_in = reinterpret_cast<const uint8_t *>(body.constData());
    stream.avail_in = size_t(body.size());
    stream.next_out = reinterpret_cast<uint8_t *>(lzma.data());
    stream.avail_out = size_t(lzma.size());
    const bool ended = lzma_code(&stream, LZMA_FINISH) == LZMA_STREAM_END;
    lzma.truncate(qsizetype(stream.total_out));
    lzma_end(&stream);
    if (!ended)
        return {};
    QByteArray length(4, '\0');
    qToLittleEndian<quint32>(quint32(lzma.size() - 13), length.data());
    return out + length + lzma.left(5) + lzma.mid(13);
}

// A red 40 x 40 pixel square on a dark blue stage of 281 x 54 pixels.
inline QByteArray movie(const char *signature, int frames = 12)
{
    QByteArray body = rect(0, 281 * 20, 0, 54 * 20);
    body += u16(12 << 8); // 12 frames a second (8.8 fixed point)
    body += u16(quint16(frames));
    body += tag(9, QByteArray("\x10\x20\x60", 3)); // SetBackgroundColor

    // DefineShape id 1: a filled square.
    QByteArray shape = u16(1) + rect(0, 800, 0, 800);
    shape += QByteArray("\x01\x00\xFF\x00\x00", 5); // one solid fill, red
    shape += QByteArray("\x00", 1);                 // no line styles
    int bit = 0;
    QByteArray records;
    putBits(records, bit, 1, 4); // fill bits
    putBits(records, bit, 0, 4); // line bits
    // Style change: move to (0,0), fill style 1.
    putBits(records, bit, 0, 1);
    putBits(records, bit, 0b00011, 5);
    putBits(records, bit, 1, 5);
    putBits(records, bit, 0, 1);
    putBits(records, bit, 0, 1);
    putBits(records, bit, 1, 1);
    // Four straight edges, horizontal or vertical, 800 twips each.
    const int moves[4][2] = {{1, 800}, {0, 800}, {1, -800}, {0, -800}};
    for (const auto &m : moves) {
        putBits(records, bit, 1, 1); // edge
        putBits(records, bit, 1, 1); // straight
        putBits(records, bit, 11 - 2, 4);
        putBits(records, bit, 0, 1); // not general
        putBits(records, bit, m[0] ? 0 : 1, 1);
        putBits(records, bit, quint32(m[1]) & 0x7FF, 11);
    }
    putBits(records, bit, 0, 6); // end of shape
    shape += records;
    body += tag(2, shape);

    for (int f = 0; f < frames; ++f) {
        // PlaceObject2 at depth 1, moving right one step a frame.
        QByteArray place;
        place += char(f == 0 ? 0x06 : 0x05); // has matrix (+ character the first time), move
        place += u16(1);
        if (f == 0)
            place += u16(1);
        int mb = 0;
        QByteArray matrix;
        putBits(matrix, mb, 0, 1);
        putBits(matrix, mb, 0, 1);
        putBits(matrix, mb, 14, 5);
        putBits(matrix, mb, quint32(200 + f * 300) & 0x3FFF, 14);
        putBits(matrix, mb, 140, 14);
        place += matrix;
        body += tag(26, place);
        body += tag(1, QByteArray()); // ShowFrame
    }
    body += tag(0, QByteArray());

    return packed(signature, quint32(8 + body.size()), body);
}
inline QByteArray movie(bool compressed, int frames = 12)
{
    return movie(compressed ? "CWS" : "FWS", frames);
}

} // namespace SwfWriter
