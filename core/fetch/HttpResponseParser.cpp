#include "core/fetch/HttpResponseParser.h"

#include <algorithm>
#include <utility>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// A byte of a header value, a reason phrase or a chunk extension: visible
// characters, blanks and the high half; no control byte.
bool isTextByte(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u == '\t' || (u >= 0x20 && u != 0x7f);
}

bool isTokenByte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || isDigit(c)
        || QByteArrayView("!#$%&'*+-.^_`|~").contains(c);
}

bool allText(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), isTextByte);
}

QByteArrayView trimmedBlanks(QByteArrayView bytes)
{
    while (!bytes.isEmpty() && isBlank(bytes.front()))
        bytes = bytes.sliced(1);
    while (!bytes.isEmpty() && isBlank(bytes.back()))
        bytes.chop(1);
    return bytes;
}

// The elements of a comma-separated field list, empty ones left out.
QList<QByteArrayView> listElements(const QList<QByteArray> &values)
{
    QList<QByteArrayView> elements;
    for (const QByteArray &value : values) {
        QByteArrayView rest(value);
        while (true) {
            const qsizetype comma = rest.indexOf(',');
            const QByteArrayView element = trimmedBlanks(comma < 0 ? rest : rest.first(comma));
            if (!element.isEmpty())
                elements << element;
            if (comma < 0)
                break;
            rest = rest.sliced(comma + 1);
        }
    }
    return elements;
}

// A whole decimal number of at most 18 digits (no sign, no blanks), or -1.
qint64 wholeNumber(QByteArrayView digits)
{
    if (digits.isEmpty() || digits.size() > 18 || !std::all_of(digits.begin(), digits.end(), isDigit))
        return -1;
    qint64 n = 0;
    for (char c : digits)
        n = n * 10 + (c - '0');
    return n;
}

} // namespace

HttpResponseParser::HttpResponseParser(qint64 bodyCap)
    : m_bodyCap(bodyCap)
{
}

QList<QByteArray> HttpResponseParser::values(QByteArrayView name) const
{
    QList<QByteArray> found;
    for (const auto &[fieldName, value] : m_fields) {
        if (fieldName.compare(name, Qt::CaseInsensitive) == 0)
            found << value;
    }
    return found;
}

bool HttpResponseParser::fail()
{
    m_state = State::Failed;
    m_line.clear();
    return false;
}

qsizetype HttpResponseParser::takeLine(QByteArrayView bytes, qint64 limit, bool &complete)
{
    const qsizetype end = bytes.indexOf('\n');
    const qsizetype used = end < 0 ? bytes.size() : end + 1;
    if (used > limit)
        return -1;
    complete = end >= 0;
    m_line.append(bytes.first(complete ? end : used));
    return used;
}

bool HttpResponseParser::feed(QByteArrayView bytes, QByteArray &body)
{
    while (!bytes.isEmpty() && (m_state == State::Head || m_state == State::Body)) {
        const bool lines = m_state == State::Head || (m_framing == Framing::Chunked && m_chunk != ChunkState::Data);
        if (!lines) {
            const qsizetype used =
                m_framing == Framing::Close ? bytes.size() : qsizetype(qMin<qint64>(m_remaining, bytes.size()));
            if (!takeBody(bytes.first(used), body))
                return false;
            bytes = bytes.sliced(used);
            continue;
        }
        const bool head = m_state == State::Head || m_chunk == ChunkState::Trailer;
        // A chunk's data ends with a bare line end and nothing else.
        const qint64 limit = head            ? HeaderCapBytes - m_headBytes
            : m_chunk == ChunkState::DataEnd ? 2 - m_line.size()
                                             : MaxChunkLineBytes - m_line.size();
        bool complete = false;
        const qsizetype used = takeLine(bytes, limit, complete);
        if (used < 0)
            return fail();
        bytes = bytes.sliced(used);
        if (head)
            m_headBytes += used;
        if (!complete)
            continue;
        QByteArray line = std::exchange(m_line, {});
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.contains('\r'))
            return fail();
        const bool taken = head              ? headLine(line, m_state == State::Body)
            : m_chunk == ChunkState::DataEnd ? line.isEmpty()
                                             : chunkSizeLine(line);
        if (!taken)
            return fail();
        if (m_chunk == ChunkState::DataEnd && !head)
            m_chunk = ChunkState::Size;
    }
    return m_state != State::Failed;
}

bool HttpResponseParser::takeBody(QByteArrayView bytes, QByteArray &body)
{
    if (m_bodyBytes + bytes.size() > m_bodyCap)
        return fail();
    m_bodyBytes += bytes.size();
    body.append(bytes);
    if (m_framing == Framing::Close)
        return true;
    m_remaining -= bytes.size();
    if (m_remaining == 0) {
        if (m_framing == Framing::Length)
            m_state = State::Done;
        else
            m_chunk = ChunkState::DataEnd;
    }
    return true;
}

bool HttpResponseParser::endOfInput()
{
    if (m_state == State::Body && m_framing == Framing::Close)
        m_state = State::Done;
    if (m_state == State::Done)
        return true;
    return fail();
}

bool HttpResponseParser::headLine(QByteArrayView line, bool trailer)
{
    if (!trailer && !m_statusRead)
        return statusLine(line);
    if (line.isEmpty()) {
        if (!trailer)
            return headEnded();
        m_state = State::Done;
        return true;
    }
    if (++m_headLines > MaxHeaderLines)
        return false;
    return fieldLine(line, trailer);
}

bool HttpResponseParser::statusLine(QByteArrayView line)
{
    m_http10 = line.startsWith("HTTP/1.0 ");
    if (!m_http10 && !line.startsWith("HTTP/1.1 "))
        return false;
    const QByteArrayView rest = line.sliced(9);
    if (rest.size() < 3 || (rest.size() > 3 && rest.at(3) != ' ') || !allText(rest.sliced(3)))
        return false;
    m_status = int(wholeNumber(rest.first(3)));
    m_statusRead = true;
    return m_status >= 100 && m_status <= 599;
}

bool HttpResponseParser::fieldLine(QByteArrayView line, bool trailer)
{
    // A line that begins with a blank continues the previous one (an
    // obsolete folding) or hides a name behind blanks: neither is taken.
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0 || !std::all_of(line.begin(), line.begin() + colon, isTokenByte))
        return false;
    const QByteArrayView value = trimmedBlanks(line.sliced(colon + 1));
    if (!allText(value))
        return false;
    // Trailers are checked but never used.
    if (!trailer)
        m_fields.append({line.first(colon).toByteArray(), value.toByteArray()});
    return true;
}

bool HttpResponseParser::headEnded()
{
    if (m_status < 200) {
        // An interim answer: the real one follows, within the same bounds.
        // A change of protocol was never asked for.
        m_statusRead = false;
        m_fields.clear();
        return m_status != 101;
    }
    const QList<QByteArray> coding = values("Transfer-Encoding");
    const QList<QByteArray> length = values("Content-Length");
    m_state = State::Body;
    if (m_status == 204 || m_status == 304) {
        m_state = State::Done;
    } else if (!coding.isEmpty()) {
        // Both at once, or a coding in an HTTP/1.0 answer, leave where the
        // body ends open to two readings.
        const QList<QByteArrayView> codings = listElements(coding);
        if (!length.isEmpty() || m_http10 || codings.size() != 1
            || codings.first().compare("chunked", Qt::CaseInsensitive) != 0)
            return false;
        m_framing = Framing::Chunked;
    } else if (!length.isEmpty()) {
        const QList<QByteArrayView> lengths = listElements(length);
        if (lengths.isEmpty())
            return false;
        for (QByteArrayView l : lengths) {
            if (l != lengths.first())
                return false;
        }
        // Longer than 18 digits is past any cap, and refused with the rest.
        const qint64 declared = wholeNumber(lengths.first());
        if (declared < 0 || declared > m_bodyCap)
            return false;
        m_framing = Framing::Length;
        m_remaining = declared;
        if (m_remaining == 0)
            m_state = State::Done;
    } else {
        m_framing = Framing::Close;
    }
    return true;
}

bool HttpResponseParser::chunkSizeLine(QByteArrayView line)
{
    qsizetype digits = 0;
    qint64 size = 0;
    while (digits < line.size() && hexValue(line.at(digits)) >= 0) {
        if (digits == 15)
            return false; // more than any cap
        size = size * 16 + hexValue(line.at(digits));
        ++digits;
    }
    const QByteArrayView rest = trimmedBlanks(line.sliced(digits));
    if (digits == 0 || (!rest.isEmpty() && rest.front() != ';') || !allText(rest))
        return false;
    if (size == 0) {
        m_chunk = ChunkState::Trailer;
        return true;
    }
    if (m_bodyBytes + size > m_bodyCap)
        return false;
    m_remaining = size;
    m_chunk = ChunkState::Data;
    return true;
}
