#include "app/CardSound.h"

#include "core/sound/SoundSettings.h"
#include "platform/Platform.h"
#include "platform/SoundOutput.h"
#include "reminder/CardContent.h"
#include "reminder/SoundChoice.h"

CardSound::CardSound(SoundSettings &settings, Platform &platform, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_platform(platform)
{
}

void CardSound::cardShown(const CardContent &card)
{
    if (card.sequencePosition > 1)
        return;
    const SoundSettings::Values &values = m_settings.values();
    // Sound off: the module (and the sound libraries) stay unloaded.
    if (values.choice == SoundSettings::Choice::None)
        return;
    const std::optional<PcmClip> clip = chosenClip(values);
    if (!clip)
        return;
    if (SoundOutput *output = m_platform.sound())
        output->play(*clip, values.avoidClash);
}
