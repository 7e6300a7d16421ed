#include "core/settings/KeyValueLines.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>

namespace KeyValueLines {

namespace {

const char *const kDayNames[] = {"mon", "tue", "wed", "thu", "fri", "sat", "sun"};

constexpr int dayBit(int dayOfWeek)
{
    return 1 << (dayOfWeek - 1);
}

} // namespace

std::optional<QList<Line>> read(const QByteArray &bytes, qint64 limit, Sections sections)
{
    if (bytes.size() > limit || bytes.contains('\0'))
        return std::nullopt;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    if (text.startsWith(QChar(0xfeff)))
        text.remove(0, 1);

    QList<Line> lines;
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    for (const QString &raw : text.split(lineBreak)) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (sections == Sections::Allowed && line.size() > 2 && line.startsWith(QLatin1Char('['))
            && line.endsWith(QLatin1Char(']'))) {
            lines.append({line.mid(1, line.size() - 2).trimmed(), {}, {}, {}});
            continue;
        }
        const qsizetype eq = raw.indexOf(QLatin1Char('='));
        if (eq <= 0 || raw.left(eq).trimmed().isEmpty())
            return std::nullopt;
        const QString untrimmed = raw.mid(eq + 1);
        lines.append({QString(), raw.left(eq).trimmed().toLower(), untrimmed.trimmed(), untrimmed});
    }
    return lines;
}

std::optional<bool> boolean(const QString &text)
{
    const QString t = text.toLower();
    if (t == u"true" || t == u"on" || t == u"yes" || t == u"1")
        return true;
    if (t == u"false" || t == u"off" || t == u"no" || t == u"0")
        return false;
    return std::nullopt;
}

QByteArray flag(bool on)
{
    return on ? QByteArrayLiteral("true") : QByteArrayLiteral("false");
}

std::optional<QTime> clockTime(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,2}):(\\d{2})$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QTime t(m.captured(1).toInt(), m.captured(2).toInt());
    return t.isValid() ? std::optional<QTime>(t) : std::nullopt;
}

QByteArray clockText(QTime time)
{
    return time.toString(QStringLiteral("HH:mm")).toLatin1();
}

std::optional<int> days(const QString &text)
{
    int bits = 0;
    const QStringList names = text.toLower().split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &name : names) {
        int day = 0;
        while (day < 7 && name.trimmed() != QLatin1String(kDayNames[day]))
            ++day;
        if (day == 7)
            return std::nullopt;
        bits |= dayBit(day + 1);
    }
    return bits;
}

QByteArray dayList(int bits)
{
    QByteArrayList names;
    for (int day = 0; day < 7; ++day) {
        if (bits & dayBit(day + 1))
            names << kDayNames[day];
    }
    return names.join(',');
}

std::optional<int> number(const QString &text, ValueRange range)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && range.contains(n) ? std::optional<int>(n) : std::nullopt;
}

QByteArray escaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        switch (ch.unicode()) {
        case u'\\': out += QStringLiteral("\\\\"); break;
        case u'\n': out += QStringLiteral("\\n"); break;
        case u'\r': out += QStringLiteral("\\r"); break;
        case u'\t': out += QStringLiteral("\\t"); break;
        default: out += ch;
        }
    }
    return out.toUtf8();
}

std::optional<QString> unescaped(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value.at(i) != QLatin1Char('\\')) {
            out += value.at(i);
            continue;
        }
        if (++i == value.size())
            return std::nullopt;
        switch (value.at(i).unicode()) {
        case u'\\': out += QLatin1Char('\\'); break;
        case u'n': out += QLatin1Char('\n'); break;
        case u'r': out += QLatin1Char('\r'); break;
        case u't': out += QLatin1Char('\t'); break;
        default: return std::nullopt;
        }
    }
    return out;
}

} // namespace KeyValueLines
