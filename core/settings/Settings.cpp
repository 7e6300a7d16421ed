#include "core/settings/Settings.h"

#include "core/settings/FaceNames.h"
#include "core/settings/NumericValue.h"

#include <cmath>

namespace {

enum Field {
    Background,
    FontName,
    RunAtLogon,
    Interval,
    Duration,
    Seconds,
    Minutes,
    Hours
};

// A missing or empty field is the default; any other text is kept as it
// is, so that a save writes back what was read.
TypedNumber numberField(const QStringList &fields, Field field, const TypedNumber &fallback)
{
    const QString text = fields.value(field);
    return text.isEmpty() ? fallback : TypedNumber(text);
}

} // namespace

std::optional<int> Settings::Values::picture() const
{
    const double number = background.value();
    if (number == std::floor(number) && BackgroundRange.contains(number))
        return int(number);
    return std::nullopt;
}

QString Settings::defaultFontName()
{
    return SansSerifFace;
}

Settings::Settings(const QString &path, QObject *parent)
    : Store(path, parent)
{
}

void Settings::setValues(const Values &values)
{
    replace(m_values, values);
}

void Settings::setFontName(const QString &name)
{
    Values v = m_values;
    v.fontName = name.isEmpty() ? defaultFontName() : name;
    setValues(v);
}

void Settings::setBackground(int number)
{
    if (!BackgroundRange.contains(number))
        return;
    Values v = m_values;
    v.background = TypedNumber(QString::number(number));
    setValues(v);
}

void Settings::setRunAtLogon(bool on)
{
    Values v = m_values;
    v.runAtLogon = on;
    setValues(v);
}

void Settings::load()
{
    setValues(fromFields(readSettingsFile(path())));
}

bool Settings::save()
{
    const bool saved = writeSettingsFile(path(), toRecord(m_values));
    const bool news = !saved && !m_saveFailing;
    m_saveFailing = !saved;
    if (news)
        Q_EMIT saveFailed();
    return saved;
}

Settings::Values Settings::fromFields(const QStringList &fields)
{
    Values v;
    v.background = numberField(fields, Background, v.background);
    if (!fields.value(FontName).isEmpty())
        v.fontName = fields.value(FontName);
    v.runAtLogon = numericValue(fields.value(RunAtLogon)) == 1;
    v.interval = numberField(fields, Interval, v.interval);
    v.duration = numberField(fields, Duration, v.duration);
    // The three flags are one choice: the last one set wins, and with none
    // set (or none readable) it is seconds.
    const Unit units[] = {Unit::Seconds, Unit::Minutes, Unit::Hours};
    for (int i = 0; i < 3; ++i) {
        if (recordBoolean(fields.value(Seconds + i)).value_or(false))
            v.unit = units[i];
    }
    return v;
}

SettingsRecord Settings::toRecord(const Values &v)
{
    SettingsRecord r;
    r.background = v.background.text();
    r.fontName = v.fontName;
    r.runAtLogon = v.runAtLogon ? QStringLiteral("1") : QStringLiteral("0");
    r.interval = v.interval.text();
    r.duration = v.duration.text();
    r.seconds = v.unit == Unit::Seconds;
    r.minutes = v.unit == Unit::Minutes;
    r.hours = v.unit == Unit::Hours;
    return r;
}
