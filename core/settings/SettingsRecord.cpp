#include "core/settings/SettingsRecord.h"

#include "core/settings/RegularFile.h"
#include "core/settings/SaveFile.h"
#include "core/texts/TextDecoding.h"

#include <QFile>

namespace {

QByteArray quoted(QString text)
{
    // A quote would end the field early and a line break would end the
    // record, shifting every later field at the next start; neither can be
    // carried, so both are dropped.
    text.remove(QLatin1Char('"'));
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    return '"' + text.toUtf8() + '"';
}

QByteArray boolean(bool value)
{
    return value ? QByteArrayLiteral("#TRUE#") : QByteArrayLiteral("#FALSE#");
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isLineEnd(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

// Consumes one field delimiter: a comma, or a line end (CR LF, CR or LF).
void skipDelimiter(const QString &text, qsizetype &pos)
{
    const qsizetype n = text.size();
    if (pos >= n)
        return;
    if (text.at(pos) == QLatin1Char(',')) {
        ++pos;
    } else if (text.at(pos) == QLatin1Char('\r')) {
        ++pos;
        if (pos < n && text.at(pos) == QLatin1Char('\n'))
            ++pos;
    } else if (text.at(pos) == QLatin1Char('\n')) {
        ++pos;
    }
}

qsizetype nextDelimiter(const QString &text, qsizetype pos)
{
    while (pos < text.size() && text.at(pos) != QLatin1Char(',') && !isLineEnd(text.at(pos)))
        ++pos;
    return pos;
}

} // namespace

QByteArray encodeSettingsRecord(const SettingsRecord &r)
{
    QByteArray line;
    line += quoted(r.background) + ',';
    line += quoted(r.fontName) + ',';
    line += quoted(r.runAtLogon) + ',';
    line += quoted(r.interval) + ',';
    line += quoted(r.duration) + ',';
    line += boolean(r.seconds) + ',';
    line += boolean(r.minutes) + ',';
    line += boolean(r.hours);
    line += "\r\n";
    return line;
}

QStringList readSettingsFields(const QString &text)
{
    QStringList fields;
    qsizetype pos = 0;
    const qsizetype n = text.size();
    while (fields.size() < 8) {
        while (pos < n && isBlank(text.at(pos)))
            ++pos;
        if (pos >= n)
            break;
        if (text.at(pos) == QLatin1Char('"')) {
            qsizetype end = pos + 1;
            while (end < n && text.at(end) != QLatin1Char('"') && !isLineEnd(text.at(end)))
                ++end;
            fields.append(text.mid(pos + 1, end - pos - 1));
            if (end < n && text.at(end) == QLatin1Char('"'))
                ++end;
            // Whatever stands between the closing quote and the delimiter
            // is not part of the field.
            pos = nextDelimiter(text, end);
        } else {
            const qsizetype end = nextDelimiter(text, pos);
            qsizetype last = end;
            while (last > pos && isBlank(text.at(last - 1)))
                --last;
            fields.append(text.mid(pos, last - pos));
            pos = end;
        }
        skipDelimiter(text, pos);
    }
    return fields;
}

std::optional<bool> recordBoolean(const QString &field)
{
    if (field.compare(QLatin1String("#TRUE#"), Qt::CaseInsensitive) == 0)
        return true;
    if (field.compare(QLatin1String("#FALSE#"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

bool writeSettingsFile(const QString &path, const SettingsRecord &record)
{
    return clearForRegularFile(path) && saveFile(path, encodeSettingsRecord(record));
}

QStringList readSettingsFile(const QString &path)
{
    QFile file(path);
    if (!openRegularFile(file))
        return {};
    return readSettingsFields(decodeSettingsText(file.read(kSettingsReadLimit)));
}
