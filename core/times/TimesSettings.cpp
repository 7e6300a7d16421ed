#include "core/times/TimesSettings.h"

#include "core/hold/HoldSettings.h"
#include "core/texts/Catalogue.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>
#include <optional>

namespace {

const char *const kDayNames[] = {"mon", "tue", "wed", "thu", "fri", "sat", "sun"};

// A text on one line: a backslash, a line break, a carriage return and a
// tab written as two characters each.
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
        const QChar ch = value.at(i);
        if (ch.category() == QChar::Other_Control)
            return std::nullopt;
        if (ch != QLatin1Char('\\')) {
            out += ch;
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

std::optional<bool> boolean(const QString &text)
{
    const QString t = text.toLower();
    if (t == u"true" || t == u"on" || t == u"yes" || t == u"1")
        return true;
    if (t == u"false" || t == u"off" || t == u"no" || t == u"0")
        return false;
    return std::nullopt;
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

// Unlike the hold's days, none at all is a choice here: the entry is kept
// and simply never comes.
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
        bits |= HoldSettings::dayBit(day + 1);
    }
    return bits;
}

QByteArray dayList(int bits)
{
    QByteArrayList names;
    for (int day = 0; day < 7; ++day) {
        if (bits & HoldSettings::dayBit(day + 1))
            names << kDayNames[day];
    }
    return names.join(',');
}

std::optional<int> builtInNumber(const QString &text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n >= 0 && n < Catalogue::Size ? std::optional<int>(n) : std::nullopt;
}

void apply(TimedReminder &e, const QString &key, const QString &value)
{
    const TimedReminder d;
    if (key == u"name") {
        e.name = unescaped(value).value_or(d.name);
    } else if (key == u"time") {
        e.time = clockTime(value).value_or(d.time);
    } else if (key == u"days") {
        e.days = days(value).value_or(d.days);
    } else if (key == u"enabled") {
        e.enabled = boolean(value).value_or(d.enabled);
    } else if (key == u"until-closed") {
        e.untilClosed = boolean(value).value_or(d.untilClosed);
    } else if (key == u"last-shown") {
        e.lastShown = QDate::fromString(value, Qt::ISODate);
    } else if (key == u"text") {
        // A number this version's catalogue lacks is passed over alone.
        if (const auto n = builtInNumber(value))
            e.texts.append(TextKey::ofBuiltIn(*n));
    } else if (key == u"text-own") {
        const auto text = unescaped(value);
        if (text && !text->trimmed().isEmpty())
            e.texts.append(TextKey::ofOwn(*text));
    }
}

} // namespace

TimesSettings::TimesSettings(const QString &path, QObject *parent)
    : Store(path, parent)
{
}

TimesSettings::Values TimesSettings::defaults()
{
    Values v;
    TimedReminder morning;
    morning.name = QStringLiteral("أذكار الصباح");
    morning.time = QTime(6, 0);
    TimedReminder evening;
    evening.name = QStringLiteral("أذكار المساء");
    evening.time = QTime(17, 0);
    v.entries = {morning, evening};
    return v;
}

void TimesSettings::setValues(const Values &values)
{
    replace(m_values, values);
}

TimesSettings::Parsed TimesSettings::parse(const QByteArray &bytes)
{
    Parsed damaged;
    damaged.values = defaults();
    damaged.damaged = true;
    if (bytes.size() > ReadLimit || bytes.contains('\0'))
        return damaged;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return damaged;
    if (text.startsWith(QChar(0xfeff)))
        text.remove(0, 1);

    Parsed parsed;
    TimedReminder *entry = nullptr;
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line == u"[entry]") {
            if (parsed.values.entries.size() == EntryLimit)
                return damaged;
            parsed.values.entries.append(TimedReminder());
            entry = &parsed.values.entries.last();
            continue;
        }
        const qsizetype eq = raw.indexOf(QLatin1Char('='));
        if (eq <= 0 || raw.left(eq).trimmed().isEmpty())
            return damaged;
        const QString key = raw.left(eq).trimmed().toLower();
        // A text keeps its blanks; every other value is read trimmed.
        const QString value = key == u"text-own" ? raw.mid(eq + 1) : raw.mid(eq + 1).trimmed();
        if (!entry) {
            if (key == u"grace-minutes") {
                bool ok = false;
                const int n = value.toInt(&ok);
                parsed.values.graceMinutes = ok && GraceMinutesRange.contains(n) ? n : Values().graceMinutes;
            }
            continue;
        }
        apply(*entry, key, value);
        if (entry->texts.size() > TextLimit)
            return damaged;
    }
    return parsed;
}

QByteArray TimesSettings::encode(const Values &values)
{
    auto flag = [](bool on) { return on ? QByteArrayLiteral("true") : QByteArrayLiteral("false"); };
    QByteArray out = "# The reminders at set times of day.\n";
    out += "grace-minutes=" + QByteArray::number(values.graceMinutes) + '\n';
    for (const TimedReminder &e : values.entries) {
        out += "\n[entry]\n";
        out += "name=" + escaped(e.name) + '\n';
        out += "time=" + e.time.toString(QStringLiteral("HH:mm")).toLatin1() + '\n';
        out += "days=" + dayList(e.days) + '\n';
        out += "enabled=" + flag(e.enabled) + '\n';
        out += "until-closed=" + flag(e.untilClosed) + '\n';
        if (e.lastShown.isValid())
            out += "last-shown=" + e.lastShown.toString(Qt::ISODate).toLatin1() + '\n';
        for (const TextKey &k : e.texts)
            out += k.isBuiltIn() ? "text=" + QByteArray::number(k.builtIn) + '\n' : "text-own=" + escaped(k.own) + '\n';
    }
    return out;
}

void TimesSettings::load()
{
    const Contents contents = read(ReadLimit);
    Parsed parsed;
    parsed.values = defaults();
    if (contents.present && problem() == Problem::None)
        parsed = parse(contents.bytes);
    if (parsed.damaged)
        setDamagedAside(Problem::Damaged);
    else if (problem() != Problem::None)
        setDamagedAside(problem());
    setValues(parsed.values);
}

bool TimesSettings::save() const
{
    return write(encode(m_values));
}
