#include "core/hold/HoldSettings.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>
#include <optional>

namespace {

const char *const kDayNames[] = {"mon", "tue", "wed", "thu", "fri", "sat", "sun"};

template <typename Value> struct Named
{
    Value value;
    const char *name;
};
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

// The value named text in names; fallback for a name not there.
template <typename Value, std::size_t N>
Value byName(const Named<Value> (&names)[N], const QString &text, Value fallback)
{
    for (const Named<Value> &n : names) {
        if (text.toLower() == QLatin1String(n.name))
            return n.value;
    }
    return fallback;
}

template <typename Value, std::size_t N> QByteArray nameOf(const Named<Value> (&names)[N], Value value)
{
    for (const Named<Value> &n : names) {
        if (n.value == value)
            return n.name;
    }
    return QByteArray();
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
    // No day at all would hold every card for good: not a choice.
    return bits ? std::optional<int>(bits) : std::nullopt;
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

void apply(HoldSettings::Values &v, const QString &key, const QString &value)
{
    const HoldSettings::Values d;
    auto flag = [&](bool &field, bool fallback) { field = boolean(value).value_or(fallback); };
    if (key == u"full-screen") {
        flag(v.fullScreen, d.fullScreen);
    } else if (key == u"do-not-disturb") {
        flag(v.doNotDisturb, d.doNotDisturb);
    } else if (key == u"away") {
        flag(v.away, d.away);
    } else if (key == u"away-minutes") {
        bool ok = false;
        const int n = value.toInt(&ok);
        v.awayMinutes = ok && HoldSettings::AwayMinutesRange.contains(n) ? n : d.awayMinutes;
    } else if (key == u"active-hours") {
        flag(v.activeHours, d.activeHours);
    } else if (key == u"hours-start") {
        v.hoursStart = clockTime(value).value_or(d.hoursStart);
    } else if (key == u"hours-end") {
        v.hoursEnd = clockTime(value).value_or(d.hoursEnd);
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
    Parsed damaged;
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
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            return damaged;
        apply(parsed.values, line.left(eq).trimmed().toLower(), line.mid(eq + 1).trimmed());
    }
    return parsed;
}

QByteArray HoldSettings::encode(const Values &v)
{
    auto flag = [](bool on) { return on ? QByteArrayLiteral("true") : QByteArrayLiteral("false"); };
    auto time = [](QTime t) { return t.toString(QStringLiteral("HH:mm")).toLatin1(); };
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
        + "hours-end=" + time(v.hoursEnd) + '\n' + "days=" + dayList(v.days) + '\n'
        + "monitor=" + nameOf(kMonitors, v.monitor) + '\n' + "paused-until=" + pause + '\n' + card;
}

void HoldSettings::load()
{
    const Contents contents = read(ReadLimit);
    Parsed parsed; // a file refused whole gives the defaults
    if (problem() == Problem::None)
        parsed = parse(contents.bytes);
    if (parsed.damaged)
        setDamagedAside(Problem::Damaged);
    else if (problem() != Problem::None)
        setDamagedAside(problem());
    setValues(parsed.values);
}

bool HoldSettings::save() const
{
    return write(encode(m_values));
}
