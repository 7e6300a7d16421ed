#include "platform/Platform.h"

namespace {

class WindowsPlatform final : public Platform
{
};

} // namespace

std::unique_ptr<Platform> createPlatform()
{
    return std::make_unique<WindowsPlatform>();
}
