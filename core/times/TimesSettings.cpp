#include "core/times/TimesSettings.h"

#include "core/settings/KeyValueLines.h"
#include "core/texts/Catalogue.h"

#include <optional>

namespace {

using KeyValueLines::boolean;
using KeyValueLines::clockTime;
using KeyValueLines::days;
using KeyValueLines::escaped;
using KeyValueLines::unescaped;

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
    const auto lines = KeyValueLines::read(bytes, ReadLimit, KeyValueLines::Sections::Allowed);
    if (!lines)
        return damaged;

    Parsed parsed;
    TimedReminder *entry = nullptr;
    for (const KeyValueLines::Line &line : *lines) {
        if (!line.section.isEmpty()) {
            if (line.section != u"entry" || parsed.values.entries.size() == EntryLimit)
                return damaged;
            parsed.values.entries.append(TimedReminder());
            entry = &parsed.values.entries.last();
        } else if (!entry) {
            if (line.key == u"grace-minutes")
                parsed.values.graceMinutes =
                    KeyValueLines::number(line.value, GraceMinutesRange).value_or(Values().graceMinutes);
        } else {
            // A text keeps its blanks; every other value is read trimmed.
            apply(*entry, line.key, line.key == u"text-own" ? line.untrimmedValue : line.value);
            if (entry->texts.size() > TextLimit)
                return damaged;
        }
    }
    return parsed;
}

QByteArray TimesSettings::encode(const Values &values)
{
    using KeyValueLines::flag;
    QByteArray out = "# The reminders at set times of day.\n";
    out += "grace-minutes=" + QByteArray::number(values.graceMinutes) + '\n';
    for (const TimedReminder &e : values.entries) {
        out += "\n[entry]\n";
        out += "name=" + escaped(e.name) + '\n';
        out += "time=" + KeyValueLines::clockText(e.time) + '\n';
        out += "days=" + KeyValueLines::dayList(e.days) + '\n';
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
    Parsed none;
    none.values = defaults();
    setValues(readParsed(ReadLimit, none, &parse).values);
}

bool TimesSettings::save() const
{
    return write(encode(m_values));
}
