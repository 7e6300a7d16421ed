#include "platform/Platform.h"

#include "core/fetch/Connectivity.h"
#include "core/fetch/NetworkKit.h"
#include "core/system/AutostartEntry.h"
#include "platform/LogonCommand.h"
#include "platform/linux/AnyFlag.h"
#include "platform/linux/DesktopSwitches.h"
#include "platform/linux/FullScreenWatch.h"
#include "platform/linux/ScreenSaverStatus.h"
#include "platform/linux/WakeWatch.h"
#include "platform/linux/X11Support.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QPointer>
#include <QRect>
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
#include <xcb/screensaver.h>
#include <xcb/xcb.h>

DataFolderChoice dataFolderFromEnvironment()
{
    // The bytes themselves: a decoded copy would already have lost what
    // makes them unreadable.
    return chooseDataFolder(qgetenv("windir"), QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

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

    void unregisterAtLogon(const QString &name) override { AutostartEntry::remove(autostartFolder(), name); }

    bool isRegisteredAtLogon(const QString &name, const QString &command) const override
    {
        return AutostartEntry::isRegistered(autostartFolder(), name, command);
    }

    QString logonCommand(const QString &exePath) const override
    {
        return LogonCommand::byPath(exePath, qEnvironmentVariable("APPIMAGE"));
    }

    bool isConnected(bool askService) override
    {
        // Asked every second all day long: the interface table first, which
        // costs little. The network service (a plugin and the libraries
        // behind it) is loaded only when the fetch is about to run, and then
        // has the last word once it knows; its reports are watched.
        NetworkKit *kit = network();
        if (!kit)
            return false;
        const bool byTable = Connectivity::anyInterfaceOnline(kit->interfaces());
        if (askService && !m_serviceTried) {
            // Loaded on the first check that asks, whatever the table says,
            // so that its reports reach the watchers from then on; this
            // check still gets an answer (see Connectivity::online).
            m_serviceTried = true;
            if (kit->loadService([this] { serviceReported(); })) {
                m_serviceKit = kit;
                m_service.markLoaded();
            }
        }
        if (!m_service.loaded())
            return byTable;
        return m_service.check(kit->reachability(), byTable);
    }

    void watchConnection(QObject &owner, std::function<void()> handler) override
    {
        m_watches.removeIf([](const Watch &watch) { return !watch.owner; });
        m_watches.append({&owner, std::move(handler)});
    }

    bool connectionReported() const override
    {
        // Once the service knows, its word is the answer (see
        // Connectivity::online), and every change of it is reported.
        return m_serviceKit && m_service.heard() && m_serviceKit->reachability() != Connectivity::Reach::Unknown;
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

    QRect workArea() const override
    {
        xcb_connection_t *c = x11Connection();
        if (!c)
            return QRect();
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        if (!screen)
            return QRect();
        const xcb_atom_t workArea = internAtom(c, "_NET_WORKAREA");
        const xcb_atom_t current = internAtom(c, "_NET_CURRENT_DESKTOP");
        quint32 desktop = 0;
        if (xcb_get_property_reply_t *reply = xcb_get_property_reply(
                c, xcb_get_property(c, 0, screen->root, current, XCB_ATOM_CARDINAL, 0, 1), nullptr)) {
            if (reply->format == 32 && xcb_get_property_value_length(reply) >= 4)
                desktop = *static_cast<const quint32 *>(xcb_get_property_value(reply));
            free(reply);
        }
        QRect area;
        // Four numbers a desktop; a desktop number out of range reads none.
        if (desktop < 64) {
            if (xcb_get_property_reply_t *reply = xcb_get_property_reply(
                    c, xcb_get_property(c, 0, screen->root, workArea, XCB_ATOM_CARDINAL, desktop * 4, 4), nullptr)) {
                if (reply->format == 32 && xcb_get_property_value_length(reply) >= 16) {
                    const auto *v = static_cast<const quint32 *>(xcb_get_property_value(reply));
                    if (v[2] > 0 && v[3] > 0 && v[2] < 65536 && v[3] < 65536 && v[0] < 65536 && v[1] < 65536)
                        area = QRect(int(v[0]), int(v[1]), int(v[2]), int(v[3]));
                }
                free(reply);
            }
        }
        // The toolkit's logical pixels: the same as the server's unless scaled.
        const qreal ratio = qApp->devicePixelRatio();
        if (ratio > 0 && ratio != 1.0 && area.isValid())
            area = QRect((QPointF(area.topLeft()) / ratio).toPoint(), (QSizeF(area.size()) / ratio).toSize());
        return area;
    }

    void watchWorkArea(QObject &owner, std::function<void()> handler) override
    {
        // The root window's property, which the toolkit already listens to.
        xcb_connection_t *c = x11Connection();
        if (!c)
            return;
        const xcb_atom_t workArea = internAtom(c, "_NET_WORKAREA");
        auto pick = [workArea](const xcb_generic_event_t &e) {
            return (e.response_type & 0x7f) == XCB_PROPERTY_NOTIFY
                && reinterpret_cast<const xcb_property_notify_event_t &>(e).atom == workArea;
        };
        new X11EventWatch(owner, pick, std::move(handler));
    }

    void watchFullScreen(QObject &owner, std::function<void(QRect)> report) override
    {
        if (x11Connection())
            new FullScreenWatch(owner, std::move(report));
    }

    void watchDoNotDisturb(QObject &owner, std::function<void(bool)> report) override
    {
        watchDoNotDisturbSwitches(owner, std::move(report));
    }

    void watchScreenLock(QObject &owner, std::function<void(bool)> report) override
    {
        // Locked when any of the ways a desktop locks its screen says so.
        auto *any = new AnyFlag(owner, std::move(report));
        addScreenLockSwitches(*any);
        watchScreenSaverStatus(*any, any->input());
        any->start();
    }

    void watchWake(QObject &owner, std::function<void()> woke) override { new WakeWatch(owner, std::move(woke)); }

    qint64 idleMs() const override
    {
        xcb_connection_t *c = x11Connection();
        if (!c)
            return -1;
        // Asked only when a reminder is due and the user wants it held
        // while away: one round trip, no watching.
        xcb_screensaver_query_info_reply_t *info =
            xcb_screensaver_query_info_reply(c, xcb_screensaver_query_info(c, x11Root(c)), nullptr);
        if (!info)
            return -1;
        const qint64 idle = info->ms_since_user_input;
        free(info);
        return idle;
    }

    QRect activeWindowArea() const override { return FullScreenWatch::activeWindowArea(); }

    void onCloseRequest(QWidget &window, std::function<void()> handler) override
    {
        // The toolkit drops a close request for a window that a modal one
        // blocks; this one is seen all the same.
        xcb_connection_t *c = x11Connection();
        if (!c)
            return;
        const auto id = xcb_window_t(window.winId());
        const xcb_atom_t protocols = internAtom(c, "WM_PROTOCOLS");
        const xcb_atom_t deleteWindow = internAtom(c, "WM_DELETE_WINDOW");
        auto pick = [=](const xcb_generic_event_t &e) {
            if ((e.response_type & 0x7f) != XCB_CLIENT_MESSAGE)
                return false;
            const auto &m = reinterpret_cast<const xcb_client_message_event_t &>(e);
            return m.window == id && m.type == protocols && m.format == 32 && m.data.data32[0] == deleteWindow;
        };
        new X11EventWatch(window, pick, std::move(handler));
    }

    void markAsNotice(QWidget &window) override
    {
        // The skip states are what panels, pagers and window switchers look
        // at. They are written on the window just before it is mapped, where
        // the toolkit merges its own states (above) into them.
        xcb_connection_t *c = x11Connection();
        if (!c || !window.testAttribute(Qt::WA_WState_Created))
            return;
        const auto id = xcb_window_t(window.winId());
        const xcb_atom_t states[] = {internAtom(c, "_NET_WM_STATE_SKIP_TASKBAR"),
                                     internAtom(c, "_NET_WM_STATE_SKIP_PAGER")};
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, internAtom(c, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, 2, states);
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
    struct Watch
    {
        QPointer<QObject> owner;
        std::function<void()> handler;
    };

    // The service told of a change: each watcher that still lives hears it.
    void serviceReported()
    {
        const QList<Watch> watches = m_watches;
        for (const Watch &watch : watches) {
            if (!watch.owner)
                continue;
            m_service.markReported();
            watch.handler();
        }
    }

    bool m_serviceTried = false;
    NetworkKit *m_serviceKit = nullptr;
    Connectivity::Service m_service;
    QList<Watch> m_watches;
};

} // namespace

std::unique_ptr<Platform> createPlatform()
{
    return std::make_unique<LinuxPlatform>();
}
