#include "platform/PlatformPlugins.h"

#include <QDir>
#include <QLibrary>
#include <QLibraryInfo>
#include <QStringList>

namespace {

// Where the toolkit looks for platform plugins: a folder named by the
// environment first, then "platforms" under each plugin folder.
QStringList pluginFolders()
{
    QStringList folders;
    const QString platformPath = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH");
    if (!platformPath.isEmpty())
        folders << platformPath;
    const QStringList extra = qEnvironmentVariable("QT_PLUGIN_PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
    for (const QString &path : extra)
        folders << path + QStringLiteral("/platforms");
    folders << QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms");
    return folders;
}

} // namespace

bool platformPluginInstalled(QStringView name)
{
    // The plugin of "wayland" is libqwayland-egl.so, libqwayland-generic.so
    // (qwayland-egl.dll, ...): any library whose name starts so will do.
    const QString stem = QStringLiteral("q") + name.toString();
    for (const QString &folder : pluginFolders()) {
        const QStringList files = QDir(folder).entryList(QDir::Files);
        for (const QString &file : files) {
            const QString bare = file.startsWith(QStringLiteral("lib")) ? file.mid(3) : file;
            if (bare.startsWith(stem) && QLibrary::isLibrary(file))
                return true;
        }
    }
    return false;
}
