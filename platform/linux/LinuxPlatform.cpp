#include "platform/Platform.h"

#include <QStandardPaths>

namespace {

class LinuxPlatform final : public Platform
{
public:
    QString dataFolder() const override
    {
        return dataFolderFor(qEnvironmentVariable("windir"),
                             QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    }
};

} // namespace

std::unique_ptr<Platform> createPlatform()
{
    return std::make_unique<LinuxPlatform>();
}
