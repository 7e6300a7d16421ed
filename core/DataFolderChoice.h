#pragma once

#include <QByteArray>
#include <QString>

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

// What a refusal says: one line for the terminal, and the message box's text.
QString dataFolderRefusalLine(DataFolderChoice::Refusal refusal);
QString dataFolderRefusalMessage(DataFolderChoice::Refusal refusal);

// The status the program ends with when it refuses windir.
inline constexpr int DataFolderRefusedStatus = 1;
