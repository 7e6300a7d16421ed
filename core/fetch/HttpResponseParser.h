#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPair>

// Reads one HTTP/1.x answer from the bytes of its connection, in pieces of
// any size, and hands its body over decoded as it goes. Everything about
// the answer is bounded: the status line, headers and trailers together
// (HeaderCapBytes, MaxHeaderLines), each chunk-size line, and the body
// (the cap given; a declared length above it is refused at once). The
// first thing that is not plainly well formed fails the answer for good:
// a folded header line, a control byte, a length that is not one whole
// number, a transfer coding other than chunked, a chunk without its line
// end. An answer that uses none of the ways to say how long its body is
// ends where the connection does.
class HttpResponseParser
{
public:
    static constexpr qint64 HeaderCapBytes = 64 * 1024;
    static constexpr int MaxHeaderLines = 100;
    static constexpr qint64 MaxChunkLineBytes = 1024;

    enum class State {
        Head,
        Body,
        Done,
        Failed
    };

    explicit HttpResponseParser(qint64 bodyCap);

    // Takes the next bytes of the connection and appends what they hold of
    // the body to body. False once the answer has failed.
    bool feed(QByteArrayView bytes, QByteArray &body);
    // The connection has ended: true when the answer was whole.
    bool endOfInput();

    State state() const { return m_state; }
    // Status line and headers read (also once the answer is done).
    bool headRead() const { return m_state == State::Body || m_state == State::Done; }
    int status() const { return m_status; }
    // The values of the header fields of that name, in order.
    QList<QByteArray> values(QByteArrayView name) const;

private:
    enum class Framing {
        None,
        Length,
        Chunked,
        Close
    };
    enum class ChunkState {
        Size,
        Data,
        DataEnd,
        Trailer
    };

    // Takes one whole line (without its line end) of the head or trailers.
    bool headLine(QByteArrayView line, bool trailer);
    bool statusLine(QByteArrayView line);
    bool fieldLine(QByteArrayView line, bool trailer);
    bool headEnded();
    bool chunkSizeLine(QByteArrayView line);
    // Collects bytes up to the next line end into m_line, at most limit of
    // them; returns the bytes it used, or -1 when the line grew too long.
    qsizetype takeLine(QByteArrayView bytes, qint64 limit, bool &complete);
    bool takeBody(QByteArrayView bytes, QByteArray &body);
    bool fail();

    const qint64 m_bodyCap;
    State m_state = State::Head;
    Framing m_framing = Framing::None;
    ChunkState m_chunk = ChunkState::Size;
    QByteArray m_line;
    qint64 m_headBytes = 0;
    int m_headLines = 0;
    bool m_statusRead = false;
    bool m_http10 = false;
    int m_status = 0;
    QList<QPair<QByteArray, QByteArray>> m_fields;
    qint64 m_remaining = 0; // of the declared length, or of the chunk
    qint64 m_bodyBytes = 0;
};
