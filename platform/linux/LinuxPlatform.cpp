#include "platform/Platform.h"

#include "platform/AutostartEntry.h"

#include <QStandardPaths>

#include <QWidget>
#include <QWindow>

namespace {

QString autostartFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/autostart");
}

class LinuxPlatform final : public Platform
{
public:
    void registerAtLogon(const QString &name, const QString &command) override
    {
        AutostartEntry::write(autostartFolder(), name, command);
    }

    void unregisterAtLogon(const QString &name) override
    {
        AutostartEntry::remove(autostartFolder(), name);
    }

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
