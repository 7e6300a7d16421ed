#include "core/texts/TextParagraphs.h"

#include "core/texts/ParagraphReader.h"

namespace TextParagraphs {

namespace {

bool isBreak(QChar ch)
{
    return ch == u'\n' || ch == u'\r' || ch == QChar(0x2028) || ch == QChar(0x2029);
}

// The lines of text, split at any of the breaks an editor writes.
QStringList lines(const QString &text)
{
    QStringList out;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isBreak(text.at(i)))
            continue;
        out << text.mid(start, i - start);
        if (text.at(i) == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    out << text.mid(start);
    return out;
}

} // namespace

QString tidied(const QString &text)
{
    QStringList kept;
    for (const QString &line : lines(text)) {
        const QString t = QString(line).replace(QLatin1Char('\t'), QLatin1Char(' ')).trimmed();
        if (!t.isEmpty())
            kept << t;
    }
    return kept.join(QLatin1Char('\n'));
}

bool isRefusedControl(QChar ch)
{
    return ch.category() == QChar::Other_Control && ch != u'\t' && !isBreak(ch);
}

int controlLine(const QString &text)
{
    int line = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (isRefusedControl(ch))
            return line;
        if (isBreak(ch)) {
            if (ch == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            ++line;
        }
    }
    return 0;
}

QStringList split(const QString &text)
{
    QStringList out;
    ParagraphReader reader(text);
    while (const auto paragraph = reader.next())
        out << paragraph->text;
    return out;
}

QString join(const QStringList &texts)
{
    QStringList tidy;
    for (const QString &t : texts) {
        const QString one = tidied(t);
        if (!one.isEmpty())
            tidy << one;
    }
    return tidy.isEmpty() ? QString() : tidy.join(QStringLiteral("\n\n")) + QLatin1Char('\n');
}

} // namespace TextParagraphs
