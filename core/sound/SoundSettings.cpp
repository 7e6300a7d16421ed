#include "core/sound/SoundSettings.h"

#include "core/settings/KeyValueLines.h"

namespace {

const KeyValueLines::Named<SoundSettings::Choice> kChoices[] = {
    {SoundSettings::Choice::None, "none"},
    {SoundSettings::Choice::Chime, "chime"},
    {SoundSettings::Choice::File, "file"},
};

void apply(SoundSettings::Values &v, const QString &key, const QString &value)
{
    const SoundSettings::Values d;
    if (key == u"sound") {
        v.choice = KeyValueLines::byName(kChoices, value, d.choice);
    } else if (key == u"file") {
        v.file = value;
    } else if (key == u"volume") {
        v.volume = KeyValueLines::number(value, SoundSettings::VolumeRange).value_or(d.volume);
    } else if (key == u"avoid-clash") {
        v.avoidClash = KeyValueLines::boolean(value).value_or(d.avoidClash);
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

QByteArray SoundSettings::encode(const Values &v)
{
    const QByteArray choice = KeyValueLines::nameOf(kChoices, v.choice);
    // A path with a line break in it could not be read back as one line:
    // such a file is not kept (a WAV file the user can pick has none).
    const QString file = v.file.contains(QLatin1Char('\n')) || v.file.contains(QLatin1Char('\r')) ? QString() : v.file;
    return "sound=" + choice + '\n' + "file=" + file.toUtf8() + '\n' + "volume=" + QByteArray::number(v.volume) + '\n'
        + "avoid-clash=" + KeyValueLines::flag(v.avoidClash) + '\n';
}

void SoundSettings::load()
{
    setValues(readParsed(ReadLimit, Parsed(), &parse).values);
}

bool SoundSettings::save() const
{
    return write(encode(m_values));
}
