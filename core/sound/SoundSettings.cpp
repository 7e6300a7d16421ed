#include "core/sound/SoundSettings.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>
#include <optional>

namespace {

struct ChoiceName
{
    SoundSettings::Choice choice;
    const char *name;
};
const ChoiceName kChoices[] = {
    {SoundSettings::Choice::None, "none"},
    {SoundSettings::Choice::Chime, "chime"},
    {SoundSettings::Choice::File, "file"},
};

std::optional<bool> boolean(const QString &text)
{
    const QString t = text.toLower();
    if (t == u"true" || t == u"on" || t == u"yes" || t == u"1")
        return true;
    if (t == u"false" || t == u"off" || t == u"no" || t == u"0")
        return false;
    return std::nullopt;
}

void apply(SoundSettings::Values &v, const QString &key, const QString &value)
{
    const SoundSettings::Values d;
    if (key == u"sound") {
        v.choice = d.choice;
        for (const ChoiceName &c : kChoices) {
            if (value.toLower() == QLatin1String(c.name))
                v.choice = c.choice;
        }
    } else if (key == u"file") {
        v.file = value;
    } else if (key == u"volume") {
        bool ok = false;
        const int n = value.toInt(&ok);
        v.volume = ok && SoundSettings::VolumeRange.contains(n) ? n : d.volume;
    } else if (key == u"avoid-clash") {
        v.avoidClash = boolean(value).value_or(d.avoidClash);
    }
}

} // namespace

SoundSettings::SoundSettings(const QString &path, QObject *parent)
    : Store(path, parent)
{
}

void SoundSettings::setValues(const Values &values)
{
    replace(m_values, values);
}

SoundSettings::Parsed SoundSettings::parse(const QByteArray &bytes)
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

QByteArray SoundSettings::encode(const Values &v)
{
    QByteArray choice;
    for (const ChoiceName &c : kChoices) {
        if (c.choice == v.choice)
            choice = c.name;
    }
    // A path with a line break in it could not be read back as one line:
    // such a file is not kept (a WAV file the user can pick has none).
    const QString file = v.file.contains(QLatin1Char('\n')) || v.file.contains(QLatin1Char('\r')) ? QString() : v.file;
    return "sound=" + choice + '\n' + "file=" + file.toUtf8() + '\n' + "volume=" + QByteArray::number(v.volume) + '\n'
        + "avoid-clash=" + (v.avoidClash ? QByteArrayLiteral("true") : QByteArrayLiteral("false")) + '\n';
}

void SoundSettings::load()
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

bool SoundSettings::save() const
{
    return write(encode(m_values));
}
