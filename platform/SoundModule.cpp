#include "platform/SoundModule.h"

#include "platform/SoundOutput.h"

SoundModule::SoundModule(QString exeFolder)
    : m_library(std::move(exeFolder), QStringLiteral("murel-sound"), "cards come without sound")
{
}

// The output goes first: it ends its playing while its code is still there.
SoundModule::~SoundModule()
{
    m_output.reset();
}

SoundOutput *SoundModule::output()
{
    if (m_tried)
        return m_output.get();
    m_tried = true;
    if (const auto make = reinterpret_cast<SoundOutputFactory>(m_library.resolve(SoundOutputFactoryName)))
        m_output.reset(make());
    return m_output.get();
}
