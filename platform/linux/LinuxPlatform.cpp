#include "platform/Platform.h"

#include "platform/AutostartEntry.h"

#include <QGuiApplication>
#include <QNetworkInterface>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QWidget>
#include <QWindow>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

// The write end of the pipe that turns an end signal into an event. A
// signal handler can reach nothing else, so this one value is file-wide.
int endSignalWriteFd = -1;

void endSignalHandler(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(endSignalWriteFd, &byte, 1);
    errno = saved;
}

xcb_atom_t internAtom(xcb_connection_t *c, const char *name)
{
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return atom;
}

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

    void markAsNotice(QWidget &window) override
    {
        // A notification by kind; the skip states are what panels, pagers
        // and window switchers look at. Written on the window before it is
        // mapped, where the toolkit adds its own states to them.
        window.setAttribute(Qt::WA_X11NetWmWindowTypeNotification);
        auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
        if (!x11 || !x11->connection())
            return;
        xcb_connection_t *c = x11->connection();
        const auto id = xcb_window_t(window.winId());
        const xcb_atom_t states[] = {internAtom(c, "_NET_WM_STATE_SKIP_TASKBAR"),
                                     internAtom(c, "_NET_WM_STATE_SKIP_PAGER")};
        xcb_change_property(c, XCB_PROP_MODE_APPEND, id, internAtom(c, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, 2,
                            states);
        xcb_flush(c);
    }

    void onEndRequest(std::function<void()> handler) override
    {
        if (endSignalWriteFd >= 0)
            return;
        int fds[2];
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds) != 0)
            return;
        endSignalWriteFd = fds[0];
        m_endHandler = std::move(handler);
        m_endNotifier = std::make_unique<QSocketNotifier>(fds[1], QSocketNotifier::Read);
        QObject::connect(m_endNotifier.get(), &QSocketNotifier::activated, m_endNotifier.get(), [this, fd = fds[1]] {
            char bytes[16];
            while (::read(fd, bytes, sizeof bytes) > 0) {
            }
            if (m_endHandler)
                m_endHandler();
        });
        struct sigaction action = {};
        action.sa_handler = endSignalHandler;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int signal : {SIGTERM, SIGINT, SIGHUP})
            sigaction(signal, &action, nullptr);
    }

private:
    std::function<void()> m_endHandler;
    std::unique_ptr<QSocketNotifier> m_endNotifier;
};

} // namespace

std::unique_ptr<Platform> createPlatform()
{
    return std::make_unique<LinuxPlatform>();
}
