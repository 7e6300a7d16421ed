#include "platform/RuntimeFolder.h"

#include <QStandardPaths>

QString userRuntimeFolder()
{
    // The user's own profile folder, which no temporary-folder setting moves.
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}
