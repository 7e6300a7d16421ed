#include "core/fetch/SwfCheck.h"

#include <QIODevice>
#include <QtEndian>
#include <array>
#include <lzma.h>
#include <zlib.h>

namespace {

constexpr qint64 ChunkBytes = 64 * 1024;
// What an LZMA decoder may take, its dictionary included: the dictionary is
// never set larger than the movie, so this is only a guard.
constexpr quint64 LzmaMemoryLimit = 80 * 1024 * 1024;
constexpr int ZwsLengthBytes = 4; // the LZMA data's own length, not relied on
constexpr int LzmaPropertiesBytes = 5;

using Buffer = std::array<unsigned char, ChunkBytes>;

// Inflates the rest of movie as one zlib stream, its output added to
// unpacked when there is one.
bool zlibWhole(QIODevice &movie, quint64 expected, QByteArray *unpacked)
{
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return false;
    Buffer in;
    Buffer out;
    int status = Z_OK;
    quint64 produced = 0;
    while (status == Z_OK) {
        if (stream.avail_in == 0) {
            const qint64 read = movie.read(reinterpret_cast<char *>(in.data()), ChunkBytes);
            if (read <= 0)
                break; // cut short
            stream.next_in = in.data();
            stream.avail_in = uInt(read);
        }
        stream.next_out = out.data();
        stream.avail_out = uInt(out.size());
        status = inflate(&stream, Z_NO_FLUSH);
        const size_t made = out.size() - stream.avail_out;
        produced += made;
        if (produced > expected)
            break; // unpacks to more than it says
        if (unpacked)
            unpacked->append(reinterpret_cast<const char *>(out.data()), qsizetype(made));
        if (status == Z_BUF_ERROR)
            status = Z_OK; // no progress possible without more input
    }
    const bool whole = status == Z_STREAM_END && produced == expected && stream.avail_in == 0 && movie.atEnd();
    inflateEnd(&stream);
    return whole;
}

// Decodes the rest of movie as the LZMA data of a ZWS movie: the five bytes
// of properties, then the data, with no end needed beyond the length. The
// output is added to unpacked when there is one.
bool lzmaWhole(QIODevice &movie, quint64 expected, QByteArray *unpacked)
{
    QByteArray properties = movie.read(ZwsLengthBytes + LzmaPropertiesBytes).mid(ZwsLengthBytes);
    if (properties.size() != LzmaPropertiesBytes)
        return false;
    // The header of the .lzma format: the properties, the dictionary's size
    // and the unpacked length. A dictionary larger than the movie is never
    // used, so a hostile size is brought down to the movie's.
    std::array<uint8_t, LzmaPropertiesBytes + 8> header{};
    header[0] = uint8_t(properties.at(0));
    const quint32 dictionary =
        quint32(qMin<quint64>(qFromLittleEndian<quint32>(properties.constData() + 1), qMax<quint64>(expected, 4096)));
    qToLittleEndian<quint32>(dictionary, header.data() + 1);
    qToLittleEndian<quint64>(expected, header.data() + LzmaPropertiesBytes);

    lzma_stream stream = LZMA_STREAM_INIT;
    if (lzma_alone_decoder(&stream, LzmaMemoryLimit) != LZMA_OK)
        return false;
    Buffer in;
    Buffer out;
    stream.next_in = header.data();
    stream.avail_in = header.size();
    lzma_ret status = LZMA_OK;
    quint64 produced = 0;
    bool ended = false;
    while (status == LZMA_OK) {
        if (stream.avail_in == 0 && !ended) {
            const qint64 read = movie.read(reinterpret_cast<char *>(in.data()), ChunkBytes);
            ended = read <= 0;
            stream.next_in = in.data();
            stream.avail_in = size_t(qMax<qint64>(read, 0));
        }
        stream.next_out = out.data();
        stream.avail_out = out.size();
        status = lzma_code(&stream, ended ? LZMA_FINISH : LZMA_RUN);
        const size_t made = out.size() - stream.avail_out;
        produced += made;
        if (unpacked)
            unpacked->append(reinterpret_cast<const char *>(out.data()), qsizetype(made));
    }
    // The decoder stops by itself at the declared length: anything still
    // unread is more movie than the header admits.
    const bool whole = status == LZMA_STREAM_END && produced == expected && stream.avail_in == 0 && movie.atEnd();
    lzma_end(&stream);
    return whole;
}

// checkSwf() that also keeps the movie's unpacked bytes after the header
// when asked to.
SwfVerdict readSwf(QIODevice &movie, QByteArray *unpacked)
{
    const QByteArray head = movie.read(SwfHeaderBytes);
    if (head.size() < SwfHeaderBytes)
        return SwfVerdict::NotAMovie;
    const QByteArrayView signature = QByteArrayView(head).first(3);
    if (signature != "FWS" && signature != "CWS" && signature != "ZWS")
        return SwfVerdict::NotAMovie;
    const qint64 declared = qFromLittleEndian<quint32>(head.constData() + 4);
    if (declared > SwfMaxUnpackedBytes)
        return SwfVerdict::TooLarge;
    if (declared < SwfHeaderBytes)
        return SwfVerdict::Incomplete;
    const qint64 expected = declared - SwfHeaderBytes;
    bool whole = false;
    if (signature == "FWS") {
        whole = movie.bytesAvailable() == expected;
        if (whole && unpacked)
            *unpacked = movie.read(expected);
    } else if (signature == "CWS") {
        whole = zlibWhole(movie, quint64(expected), unpacked);
    } else {
        whole = lzmaWhole(movie, quint64(expected), unpacked);
    }
    return whole ? SwfVerdict::Movie : SwfVerdict::Incomplete;
}

} // namespace

SwfVerdict checkSwf(QIODevice &movie)
{
    return readSwf(movie, nullptr);
}

QByteArray unpackSwf(QIODevice &movie)
{
    QByteArray unpacked;
    if (readSwf(movie, &unpacked) != SwfVerdict::Movie)
        return {};
    return unpacked;
}
