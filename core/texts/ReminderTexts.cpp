#include "core/texts/ReminderTexts.h"

#include "core/settings/KeyValueLines.h"
#include "core/texts/TextParagraphs.h"

#include <QStringDecoder>
#include <algorithm>
#include <optional>

namespace {

using KeyValueLines::escaped;
using KeyValueLines::unescaped;

std::optional<int> builtInNumber(const QString &text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok && n >= 0 && n < Catalogue::Size ? std::optional<int>(n) : std::nullopt;
}

} // namespace

ReminderTexts::ReminderTexts(const QString &path, QObject *parent)
    : Store(path, parent)
{
}

void ReminderTexts::setValues(const Values &values)
{
    replace(m_values, values);
}

ReminderTexts::Parsed ReminderTexts::parse(const QByteArray &bytes)
{
    Parsed parsed;
    if (bytes.size() > ReadLimit) {
        parsed.damaged = true;
        return parsed;
    }
    QByteArrayView body(bytes);
    if (body.startsWith("\xEF\xBB\xBF"))
        body = body.sliced(3);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    int number = 0;
    for (qsizetype start = 0; start <= body.size();) {
        qsizetype end = body.indexOf('\n', start);
        if (end < 0)
            end = body.size();
        QByteArrayView bytesOfLine = body.sliced(start, end - start);
        start = end + 1;
        ++number;
        if (bytesOfLine.endsWith('\r'))
            bytesOfLine.chop(1);
        decoder.resetState();
        const QString line = decoder.decode(bytesOfLine);
        if (decoder.hasError() || !readLine(line, parsed.values))
            parsed.badLines << number;
    }
    std::sort(parsed.values.builtInOff.begin(), parsed.values.builtInOff.end());
    return parsed;
}

bool ReminderTexts::readLine(const QString &line, Values &v)
{
    if (std::any_of(line.cbegin(), line.cend(), TextParagraphs::isRefusedControl))
        return false;
    if (line.trimmed().isEmpty() || line.trimmed().startsWith(QLatin1Char('#')))
        return true;
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return false;
    const QString key = line.left(eq).trimmed().toLower();
    // A text's value is taken as it is: its spaces are its own.
    const QString value = line.mid(eq + 1);
    if (key == u"order") {
        if (value.trimmed() == u"random")
            v.order = Order::Random;
        else if (value.trimmed() == u"each-once")
            v.order = Order::EachOnce;
        else
            return false;
    } else if (key == u"off") {
        bool whole = true;
        for (const QString &item : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const auto n = builtInNumber(item);
            whole = whole && n;
            if (n && !v.builtInOff.contains(*n))
                v.builtInOff << *n;
        }
        return whole;
    } else if (key == u"own" || key == u"own-off") {
        const auto t = unescaped(value);
        if (!t || t->trimmed().isEmpty())
            return false;
        v.own << OwnText{*t, key == u"own"};
    } else if (key == u"shown") {
        const auto n = builtInNumber(value);
        if (!n)
            return false;
        v.shown << TextKey::ofBuiltIn(*n);
    } else if (key == u"shown-own") {
        const auto t = unescaped(value);
        if (!t)
            return false;
        v.shown << TextKey::ofOwn(*t);
    }
    return true;
}

QByteArray ReminderTexts::encode(const Values &v)
{
    QByteArray out = "# The reminder texts: built-ins switched off, the user's own texts, the order.\n";
    out += "order=";
    out += v.order == Order::EachOnce ? "each-once" : "random";
    out += '\n';
    QByteArrayList off;
    for (int n : v.builtInOff)
        off << QByteArray::number(n);
    out += "off=" + off.join(',') + '\n';
    for (const OwnText &t : v.own)
        out += (t.on ? "own=" : "own-off=") + escaped(t.text) + '\n';
    for (const TextKey &k : v.shown)
        out += k.isBuiltIn() ? "shown=" + QByteArray::number(k.builtIn) + '\n' : "shown-own=" + escaped(k.own) + '\n';
    return out;
}

void ReminderTexts::load()
{
    m_skippedLines.clear();
    const Contents contents = read(ReadLimit);
    if (problem() == Problem::Unreadable) {
        setDamagedAside(Problem::Unreadable);
        setValues(Values());
        return;
    }
    Parsed parsed = parse(contents.bytes);
    if (!parsed.damaged && parsed.badLines.isEmpty()) {
        setValues(parsed.values);
        return;
    }
    m_skippedLines = parsed.badLines;
    setDamagedAside(Problem::Damaged);
    setValues(parsed.damaged ? Values() : parsed.values);
    // What was kept is written at once: the file it came from is no longer
    // where the next start looks.
    if (m_values != Values())
        save();
}

bool ReminderTexts::save() const
{
    return write(encode(m_values));
}

QList<TextKey> ReminderTexts::onKeys(const Values &values)
{
    QList<TextKey> keys;
    for (int n = 0; n < Catalogue::Size; ++n) {
        if (!values.builtInOff.contains(n))
            keys << TextKey::ofBuiltIn(n);
    }
    for (const OwnText &t : values.own) {
        if (t.on)
            keys << TextKey::ofOwn(t.text);
    }
    return keys;
}

QString ReminderTexts::text(const TextKey &key) const
{
    return key.isBuiltIn() ? m_catalogue.entry(key.builtIn) : key.own;
}

TextKey ReminderTexts::next(quint64 seed, const std::function<bool(const QString &)> &usable)
{
    const QList<TextKey> all = onKeys(m_values);
    QList<TextKey> on = all;
    // Only the text drawn is measured: with thousands of texts on, measuring
    // each on the card before every card would hold the program up. A text
    // refused leaves the draw, which is made again from the rest; after a
    // few refusals (a font that cuts many texts) the rest are measured
    // once and the draw made from those that pass.
    constexpr int Redraws = 8;
    for (int tries = 0; !on.isEmpty(); ++tries) {
        if (tries == Redraws) {
            on.removeIf([&usable](const TextKey &k) { return !k.isBuiltIn() && !usable(k.own); });
            if (on.isEmpty())
                break;
        }
        const quint64 drawSeed = seed ^ (quint64(tries) * 0x9E3779B97F4A7C15ULL);
        const TextRound::Step step = m_values.order == Order::Random
            ? TextRound::Step{TextRound::uniform(int(on.size()), drawSeed), {}}
            : TextRound::next(on, m_values.shown, drawSeed);
        const TextKey &chosen = on.at(step.chosen);
        if (tries >= Redraws || chosen.isBuiltIn() || !usable || usable(chosen.own))
            return take(chosen, step);
        on.removeAt(step.chosen);
    }
    // Nothing usable is on: better a text set small than no card.
    on = all;
    if (on.isEmpty()) {
        for (int n = 0; n < Catalogue::Size; ++n)
            on << TextKey::ofBuiltIn(n);
    }
    const TextRound::Step step = m_values.order == Order::Random
        ? TextRound::Step{TextRound::uniform(int(on.size()), seed), {}}
        : TextRound::next(on, m_values.shown, seed);
    return take(on.at(step.chosen), step);
}

TextKey ReminderTexts::take(const TextKey &chosen, const TextRound::Step &step)
{
    if (m_values.order == Order::Random)
        return chosen;
    Values v = m_values;
    v.shown = step.shown;
    setValues(v);
    save();
    return chosen;
}
