#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Where the settings record and the downloads live: "<windir>/murel" when
// windir is set (so a test can point the program at a scratch folder),
// otherwise under the user's data folder. A windir that cannot stand for
// one fixed folder is refused rather than read as some other folder.
struct DataFolderChoice
{
    enum class Refusal {
        None,
        // Its bytes are no file name of this system: read anyway, it
        // would name another folder than the one meant.
        NotAFileName,
        // A relative path would follow the folder the program started in,
        // giving starts from different folders different data.
        Relative,
    };

    QString folder; // empty when refused
    Refusal refusal = Refusal::None;
};

// windir's bytes exactly as the environment holds them (empty when unset).
DataFolderChoice chooseDataFolder(const QByteArray &windir, const QString &fallbackBase);

// On Windows, where windir is always set and names the system's folder, the
// data folder is the user's own: "<APPDATA>/Murel". Older versions wrote
// "<windir>/murel", which a standard user cannot write; Windows then kept
// their writes in the user's VirtualStore instead. Both are where an older
// record may be found, the redirected one first (it holds the later
// writes). Paths with either separator; empty pieces give no folder.
struct WindowsDataFolders
{
    QString folder;
    QStringList older;
};
WindowsDataFolders windowsDataFolders(const QString &appData, const QString &localAppData, const QString &windir);

// What a refusal says: one line for the terminal, and the message box's text.
QString dataFolderRefusalLine(DataFolderChoice::Refusal refusal);
QString dataFolderRefusalMessage(DataFolderChoice::Refusal refusal);

// The status the program ends with when it refuses windir.
inline constexpr int DataFolderRefusedStatus = 1;
