#include "core/Settings.h"

#include "core/FaceNames.h"
#include "core/NumericValue.h"
#include "core/Rounding.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

enum Field { Background, FontName, RunAtLogon, Interval, Duration, Seconds, Minutes, Hours };

} // namespace

QString Settings::defaultFontName()
{
    return SansSerifFace;
}

Settings::Settings(const QString &path, QObject *parent)
    : QObject(parent)
    , m_path(path)
{
}

void Settings::setValues(const Values &values)
{
    if (values == m_values)
        return;
    m_values = values;
    Q_EMIT changed();
}

void Settings::setFontName(const QString &name)
{
    Values v = m_values;
    v.fontName = name.isEmpty() ? defaultFontName() : name;
    setValues(v);
}

void Settings::setBackground(int number)
{
    Values v = m_values;
    v.background = BackgroundRange.contains(number) ? number : Values().background;
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
    setValues(fromFields(readSettingsFile(m_path)));
}

bool Settings::save()
{
    const bool saved = writeSettingsFile(m_path, toRecord(m_values));
    const bool news = !saved && !m_saveFailing;
    m_saveFailing = !saved;
    if (news)
        Q_EMIT saveFailed();
    return saved;
}

int Settings::count(const QString &text)
{
    const std::int64_t n = roundHalfEven(numericValue(text));
    return int(std::clamp<std::int64_t>(n, 0, std::numeric_limits<int>::max()));
}

Settings::Values Settings::fromFields(const QStringList &fields)
{
    Values v;
    const double background = numericValue(fields.value(Background));
    if (background == std::floor(background) && BackgroundRange.contains(background))
        v.background = int(background);
    if (!fields.value(FontName).isEmpty())
        v.fontName = fields.value(FontName);
    v.runAtLogon = numericValue(fields.value(RunAtLogon)) == 1;
    v.interval = count(fields.value(Interval));
    v.duration = count(fields.value(Duration));
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
    r.background = QString::number(v.background);
    r.fontName = v.fontName;
    r.runAtLogon = v.runAtLogon ? QStringLiteral("1") : QStringLiteral("0");
    r.interval = QString::number(v.interval);
    r.duration = QString::number(v.duration);
    r.seconds = v.unit == Unit::Seconds;
    r.minutes = v.unit == Unit::Minutes;
    r.hours = v.unit == Unit::Hours;
    return r;
}
