#include "core/settings/RegularFile.h"

#include <QFile>
#include <QFileInfo>

bool openRegularFile(QFile &file)
{
    // Named pipes and devices do not live among the program's files here;
    // a folder in the way is the one case to refuse.
    return QFileInfo(file.fileName()).isFile() && file.open(QIODevice::ReadOnly);
}
