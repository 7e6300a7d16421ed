#include "core/hold/HoldSettings.h"

#include "core/settings/KeyValueLines.h"

#include <optional>

namespace {

using KeyValueLines::byName;
using KeyValueLines::Named;
using KeyValueLines::nameOf;

const Named<HoldSettings::Monitor> kMonitors[] = {
    {HoldSettings::Monitor::Primary, "primary"},
    {HoldSettings::Monitor::Pointer, "pointer"},
    {HoldSettings::Monitor::ActiveWindow, "active-window"},
};
const Named<CardGeometry::Corner> kCorners[] = {
    {CardGeometry::Corner::BottomRight, "bottom-right"},
    {CardGeometry::Corner::BottomLeft, "bottom-left"},
    {CardGeometry::Corner::TopRight, "top-right"},
    {CardGeometry::Corner::TopLeft, "top-left"},
};
const Named<CardGeometry::Size> kSizes[] = {
    {CardGeometry::Size::Small, "small"},
    {CardGeometry::Size::Normal, "normal"},
    {CardGeometry::Size::Large, "large"},
    {CardGeometry::Size::Larger, "larger"},
};

// No day at all would hold every card for good: not a choice.
std::optional<int> days(const QString &text)
{
    const std::optional<int> bits = KeyValueLines::days(text);
    return bits && *bits ? bits : std::nullopt;
}

void apply(HoldSettings::Values &v, const QString &key, const QString &value)
{
    const HoldSettings::Values d;
    auto flag = [&](bool &field, bool fallback) { field = KeyValueLines::boolean(value).value_or(fallback); };
    if (key == u"full-screen") {
        flag(v.fullScreen, d.fullScreen);
    } else if (key == u"do-not-disturb") {
        flag(v.doNotDisturb, d.doNotDisturb);
    } else if (key == u"away") {
        flag(v.away, d.away);
    } else if (key == u"away-minutes") {
        v.awayMinutes = KeyValueLines::number(value, HoldSettings::AwayMinutesRange).value_or(d.awayMinutes);
    } else if (key == u"active-hours") {
        flag(v.activeHours, d.activeHours);
    } else if (key == u"hours-start") {
        v.hoursStart = KeyValueLines::clockTime(value).value_or(d.hoursStart);
    } else if (key == u"hours-end") {
        v.hoursEnd = KeyValueLines::clockTime(value).value_or(d.hoursEnd);
    } else if (key == u"days") {
        v.days = days(value).value_or(d.days);
    } else if (key == u"monitor") {
        v.monitor = byName(kMonitors, value, d.monitor);
    } else if (key == u"corner") {
        v.corner = byName(kCorners, value, d.corner);
    } else if (key == u"size") {
        v.size = byName(kSizes, value, d.size);
    } else if (key == u"paused-until") {
        const QDateTime end = QDateTime::fromString(value, Qt::ISODate);
        v.pausedUntil = end.isValid() ? end.toLocalTime() : QDateTime();
    }
}

} // namespace

HoldSettings::HoldSettings(const QString &path, QObject *parent)
    : Store(path, parent)
{
}

void HoldSettings::setValues(const Values &values)
{
    replace(m_values, values);
}

void HoldSettings::setPausedUntil(const QDateTime &end)
{
    Values v = m_values;
    v.pausedUntil = end;
    setValues(v);
}

HoldSettings::Parsed HoldSettings::parse(const QByteArray &bytes)
{
    Parsed parsed;
    const auto lines = KeyValueLines::read(bytes, ReadLimit);
    if (!lines) {
        parsed.damaged = true;
        return parsed;
    }
    for (const KeyValueLines::Line &line : *lines)
        apply(parsed.values, line.key, line.value);
    return parsed;
}

QByteArray HoldSettings::encode(const Values &v)
{
    using KeyValueLines::flag;
    const auto time = KeyValueLines::clockText;
    // The pause's end in UTC, so that a change of zone or of daylight
    // saving time moves nothing.
    const QByteArray pause =
        v.pausedUntil.isValid() ? v.pausedUntil.toUTC().toString(Qt::ISODateWithMs).toLatin1() : QByteArray();
    // The card's corner and size came later: a file without them reads as
    // the card was before.
    const QByteArray card = "corner=" + nameOf(kCorners, v.corner) + '\n' + "size=" + nameOf(kSizes, v.size) + '\n';
    return "full-screen=" + flag(v.fullScreen) + '\n' + "do-not-disturb=" + flag(v.doNotDisturb) + '\n'
        + "away=" + flag(v.away) + '\n' + "away-minutes=" + QByteArray::number(v.awayMinutes) + '\n'
        + "active-hours=" + flag(v.activeHours) + '\n' + "hours-start=" + time(v.hoursStart) + '\n'
        + "hours-end=" + time(v.hoursEnd) + '\n' + "days=" + KeyValueLines::dayList(v.days) + '\n'
        + "monitor=" + nameOf(kMonitors, v.monitor) + '\n' + "paused-until=" + pause + '\n' + card;
}

void HoldSettings::load()
{
    setValues(readParsed(ReadLimit, Parsed(), &parse).values);
}

bool HoldSettings::save() const
{
    return write(encode(m_values));
}
