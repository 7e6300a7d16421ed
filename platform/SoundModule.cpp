#include "platform/SoundModule.h"

#include "core/fetch/PlayerLocation.h"
#include "platform/SoundOutput.h"

#include <QFileInfo>
#include <QLibrary>

SoundModule::SoundModule(QString exeFolder)
    : m_exeFolder(std::move(exeFolder))
{
}

// The output goes first: it ends its playing before its code could go.
// The library itself stays loaded for the rest of the process, as the
// sound libraries' own threads and globals may outlive the output.
SoundModule::~SoundModule()
{
    m_output.reset();
}

QString SoundModule::fileIn(const QString &folder)
{
    return folder + QStringLiteral("/modules/murel-sound" MUREL_MODULE_SUFFIX);
}

SoundOutput *SoundModule::output()
{
    if (m_tried)
        return m_output.get();
    m_tried = true;
    QString file;
    for (const QString &folder : PlayerLocation::candidateFolders(m_exeFolder)) {
        if (QFileInfo(fileIn(folder)).isFile()) {
            file = fileIn(folder);
            break;
        }
    }
    if (file.isEmpty()) {
        qWarning("murel: the sound module %s is missing: cards come without sound",
                 qPrintable(fileIn(PlayerLocation::candidateFolders(m_exeFolder).constLast())));
        return nullptr;
    }
    m_library = std::make_unique<QLibrary>(file);
    const auto make = reinterpret_cast<SoundOutputFactory>(m_library->resolve(SoundOutputFactoryName));
    if (!make) {
        qWarning("murel: the sound module cannot be loaded: %s", qPrintable(m_library->errorString()));
        return nullptr;
    }
    m_output.reset(make());
    return m_output.get();
}
