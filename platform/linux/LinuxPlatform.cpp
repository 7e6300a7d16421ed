#include "platform/Platform.h"

#include "platform/AutostartEntry.h"

#include <QNetworkInterface>
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

    bool isConnected() override
    {
        // Asked every second all day long, so answered from the interface
        // table alone (no network service's plugin and its libraries kept
        // in memory): on-line is an interface that is up, running, not the
        // loopback, and has an address.
        const auto interfaces = QNetworkInterface::allInterfaces();
        for (const QNetworkInterface &i : interfaces) {
            const auto flags = i.flags();
            if ((flags & QNetworkInterface::IsUp) && (flags & QNetworkInterface::IsRunning)
                && !(flags & QNetworkInterface::IsLoopBack) && !i.addressEntries().isEmpty())
                return true;
        }
        return false;
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
