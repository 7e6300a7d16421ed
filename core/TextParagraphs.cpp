#include "core/TextParagraphs.h"

#include <QRegularExpression>

namespace TextParagraphs {

namespace {

QStringList lines(const QString &text)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n|\u2028|\u2029"));
    return text.split(breaks);
}

} // namespace

QString tidied(const QString &text)
{
    QStringList kept;
    for (const QString &line : lines(text)) {
        const QString t = line.trimmed();
        if (!t.isEmpty())
            kept << t;
    }
    return kept.join(QLatin1Char('\n'));
}

QStringList split(const QString &text)
{
    QStringList out;
    QStringList paragraph;
    auto close = [&] {
        if (!paragraph.isEmpty())
            out << paragraph.join(QLatin1Char('\n'));
        paragraph.clear();
    };
    QString body = text;
    if (body.startsWith(QChar(0xfeff)))
        body.remove(0, 1);
    for (const QString &line : lines(body)) {
        const QString t = line.trimmed();
        if (t.isEmpty())
            close();
        else
            paragraph << t;
    }
    close();
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
