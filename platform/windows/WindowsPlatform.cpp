#include "platform/Platform.h"

#include <QWidget>
#include <windows.h>

namespace {

class WindowsPlatform final : public Platform
{
public:
    void setTopMost(QWidget &window, bool on) override
    {
        const HWND hwnd = reinterpret_cast<HWND>(window.winId());
        SetWindowPos(hwnd, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
};

} // namespace

std::unique_ptr<Platform> createPlatform()
{
    return std::make_unique<WindowsPlatform>();
}
