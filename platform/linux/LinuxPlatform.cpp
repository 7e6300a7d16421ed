#include "platform/Platform.h"

namespace {

class LinuxPlatform final : public Platform
{
};

} // namespace

std::unique_ptr<Platform> createPlatform()
{
    return std::make_unique<LinuxPlatform>();
}
