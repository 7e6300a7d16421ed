#include "core/system/DataFolderChoice.h"

#include <QDir>
#include <QFile>

DataFolderChoice chooseDataFolder(const QByteArray &windir, const QString &fallbackBase)
{
    if (windir.isEmpty())
        return {QDir::cleanPath(fallbackBase + QStringLiteral("/murel")), DataFolderChoice::Refusal::None};
    const QString decoded = QFile::decodeName(windir);
    if (QFile::encodeName(decoded) != windir)
        return {QString(), DataFolderChoice::Refusal::NotAFileName};
    if (QDir::isRelativePath(decoded))
        return {QString(), DataFolderChoice::Refusal::Relative};
    return {QDir::cleanPath(decoded + QStringLiteral("/murel")), DataFolderChoice::Refusal::None};
}

WindowsDataFolders windowsDataFolders(const QString &appData, const QString &localAppData, const QString &windir)
{
    // Windows' separators whatever system reads them (the tests run here).
    const auto clean = [](QString path) { return QDir::cleanPath(path.replace(u'\\', u'/')); };
    WindowsDataFolders folders;
    if (!appData.isEmpty())
        folders.folder = clean(appData + QStringLiteral("/Murel"));
    if (windir.isEmpty())
        return folders;
    const QString system = clean(windir);
    // The store mirrors the path below the drive: C:/Windows becomes
    // <LOCALAPPDATA>/VirtualStore/Windows.
    const qsizetype root = system.indexOf(u'/');
    if (!localAppData.isEmpty() && root > 0)
        folders.older << clean(localAppData + QStringLiteral("/VirtualStore/") + system.mid(root + 1)
                               + QStringLiteral("/murel"));
    folders.older << clean(system + QStringLiteral("/murel"));
    return folders;
}

QString dataFolderRefusalLine(DataFolderChoice::Refusal refusal)
{
    switch (refusal) {
    case DataFolderChoice::Refusal::None: break;
    case DataFolderChoice::Refusal::NotAFileName:
        return QStringLiteral("murel: windir is not a file name this system can read; set it to an absolute folder "
                              "or unset it\n");
    case DataFolderChoice::Refusal::Relative:
        return QStringLiteral("murel: windir is a relative path, which would depend on the folder the program "
                              "starts in; set it to an absolute folder or unset it\n");
    }
    return QString();
}

QString dataFolderRefusalMessage(DataFolderChoice::Refusal refusal)
{
    switch (refusal) {
    case DataFolderChoice::Refusal::None: break;
    case DataFolderChoice::Refusal::NotAFileName:
        return QStringLiteral("متغير البيئة windir لا يحمل اسم مجلد صالحاً، فلن يعمل البرنامج حتى يُصحَّح أو يُحذف.");
    case DataFolderChoice::Refusal::Relative:
        return QStringLiteral(
            "متغير البيئة windir يحمل مساراً نسبياً، فلن يعمل البرنامج حتى يُكتب فيه مسار كامل أو يُحذف.");
    }
    return QString();
}
