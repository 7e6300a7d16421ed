#include "core/texts/ParagraphReader.h"

#include "core/texts/TextParagraphs.h"

#include <QStringView>

ParagraphReader::ParagraphReader(const QString &text)
    : m_text(text)
{
    if (m_text.startsWith(QChar(0xfeff)))
        m_pos = 1;
}

std::optional<ParagraphReader::Paragraph> ParagraphReader::next()
{
    Paragraph paragraph;
    QString raw;
    while (m_pos < m_text.size()) {
        // One line, without its break.
        qsizetype end = m_pos;
        bool control = false;
        for (; end < m_text.size(); ++end) {
            const QChar ch = m_text.at(end);
            if (ch == u'\n' || ch == u'\r' || ch == QChar(0x2028) || ch == QChar(0x2029))
                break;
            control = control || TextParagraphs::isRefusedControl(ch);
        }
        const QStringView line = QStringView(m_text).mid(m_pos, end - m_pos);
        m_pos = end;
        if (m_pos < m_text.size()) {
            if (m_text.at(m_pos) == u'\r' && m_pos + 1 < m_text.size() && m_text.at(m_pos + 1) == u'\n')
                ++m_pos;
            ++m_pos;
        }
        ++m_line;
        if (line.trimmed().isEmpty() && !control) {
            if (paragraph.line != 0)
                break;
            continue;
        }
        if (paragraph.line == 0)
            paragraph.line = m_line;
        if (control && paragraph.controlLine == 0)
            paragraph.controlLine = m_line;
        if (!raw.isEmpty())
            raw += QLatin1Char('\n');
        raw += line;
    }
    if (paragraph.line == 0)
        return std::nullopt;
    paragraph.text = TextParagraphs::tidied(raw);
    return paragraph;
}
