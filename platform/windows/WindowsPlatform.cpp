#include "platform/Platform.h"

#include <QStandardPaths>

namespace {

class WindowsPlatform final : public Platform
{
public:
    QString dataFolder() const override
    {
        // %windir% is always set on Windows; the fallback only guards a
        // stripped environment.
        return dataFolderFor(qEnvironmentVariable("windir"),
                             QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    }
};

} // namespace

std::unique_ptr<Platform> createPlatform()
{
    return std::make_unique<WindowsPlatform>();
}
