#include "platform/ModuleLibrary.h"

#include "core/fetch/PlayerLocation.h"

#include <QFileInfo>

ModuleLibrary::ModuleLibrary(QString exeFolder, QString name, const char *without)
    : m_exeFolder(std::move(exeFolder))
    , m_name(std::move(name))
    , m_without(without)
{
}

QString ModuleLibrary::fileIn(const QString &folder, const QString &name)
{
    return folder + QStringLiteral("/modules/") + name + QStringLiteral(MUREL_MODULE_SUFFIX);
}

QFunctionPointer ModuleLibrary::resolve(const char *symbol)
{
    const QStringList folders = PlayerLocation::candidateFolders(m_exeFolder);
    QString file;
    for (const QString &folder : folders) {
        if (QFileInfo(fileIn(folder, m_name)).isFile()) {
            file = fileIn(folder, m_name);
            break;
        }
    }
    if (file.isEmpty()) {
        qWarning("murel: the module %s is missing: %s", qPrintable(fileIn(folders.constLast(), m_name)), m_without);
        return nullptr;
    }
    m_library = std::make_unique<QLibrary>(file);
    const QFunctionPointer entry = m_library->resolve(symbol);
    if (!entry)
        qWarning("murel: the module %s cannot be loaded: %s", qPrintable(m_name), qPrintable(m_library->errorString()));
    return entry;
}
