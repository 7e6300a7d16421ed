#pragma once

#include <QString>

#include <optional>

// Reads a file's text one paragraph at a time, for an import that must
// not hold the program up however long the file is: each call walks only
// the lines of the paragraph it returns.
class ParagraphReader
{
public:
    struct Paragraph
    {
        QString text;        // tidied (see TextParagraphs::tidied)
        int line = 0;        // of its first line in the file, from 1
        int controlLine = 0; // of its first line holding a refused control character, 0 for none
    };

    explicit ParagraphReader(const QString &text);

    // The next paragraph, or nothing at the end. A line of nothing but
    // spaces ends a paragraph; one holding a control character never does.
    std::optional<Paragraph> next();

    // How far the reading has come, in characters of the text.
    qsizetype position() const { return m_pos; }
    qsizetype size() const { return m_text.size(); }
    bool atEnd() const { return m_pos >= m_text.size(); }

private:
    QString m_text;
    qsizetype m_pos = 0;
    int m_line = 0; // lines read so far
};
