#include "platform/Platform.h"

#include <QWidget>
#include <QWindow>

namespace {

class LinuxPlatform final : public Platform
{
public:
    void setTopMost(QWidget &window, bool on) override
    {
        if (window.testAttribute(Qt::WA_WState_Created) && window.windowHandle()) {
            // A live window takes the hint in place (the window manager's
            // "above" state); QWidget::setWindowFlag would hide it.
            window.windowHandle()->setFlag(Qt::WindowStaysOnTopHint, on);
            window.overrideWindowFlags(window.windowHandle()->flags());
        } else {
            window.setWindowFlag(Qt::WindowStaysOnTopHint, on);
        }
    }
};

} // namespace

std::unique_ptr<Platform> createPlatform()
{
    return std::make_unique<LinuxPlatform>();
}
