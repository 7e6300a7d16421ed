#include "platform/linux/FullScreenWatch.h"

#include "core/hold/FullScreenRule.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <cstdlib>

namespace {

xcb_window_t activeWindow(xcb_connection_t *c, xcb_window_t root, xcb_atom_t active)
{
    const QList<quint32> v = x11Property32(c, root, active, XCB_ATOM_WINDOW, 1);
    return v.isEmpty() ? xcb_window_t(XCB_WINDOW_NONE) : xcb_window_t(v.first());
}

bool isOurs(xcb_window_t window)
{
    const auto windows = QGuiApplication::allWindows();
    for (const QWindow *w : windows) {
        if (w->handle() && xcb_window_t(w->winId()) == window)
            return true;
    }
    return false;
}

// The window's client area on the root window, in the server's pixels.
QRect rootGeometry(xcb_connection_t *c, xcb_window_t window, xcb_window_t root)
{
    QRect area;
    xcb_get_geometry_reply_t *geometry = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    if (!geometry)
        return area;
    if (xcb_translate_coordinates_reply_t *origin =
            xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, window, root, 0, 0), nullptr)) {
        area = QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
        free(origin);
    }
    free(geometry);
    return area;
}

qreal pixelRatio()
{
    const qreal ratio = qApp->devicePixelRatio();
    return ratio > 0 ? ratio : 1.0;
}

QRect toNative(const QRect &r, qreal ratio)
{
    return QRect((QPointF(r.topLeft()) * ratio).toPoint(), (QSizeF(r.size()) * ratio).toSize());
}

QRect toLogical(const QRect &r, qreal ratio)
{
    return QRect((QPointF(r.topLeft()) / ratio).toPoint(), (QSizeF(r.size()) / ratio).toSize());
}

} // namespace

FullScreenWatch::FullScreenWatch(QObject &owner, std::function<void(QRect)> report)
    : QObject(&owner)
    , m_connection(x11Connection())
    , m_report(std::move(report))
{
    m_root = x11Root(m_connection);
    m_activeAtom = internAtom(m_connection, "_NET_ACTIVE_WINDOW");
    m_stateAtom = internAtom(m_connection, "_NET_WM_STATE");
    m_frameAtom = internAtom(m_connection, "_NET_FRAME_EXTENTS");
    qApp->installNativeEventFilter(this);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, &FullScreenWatch::scheduleCheck);
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &FullScreenWatch::scheduleCheck);
    check();
}

FullScreenWatch::~FullScreenWatch()
{
    qApp->removeNativeEventFilter(this);
    follow(XCB_WINDOW_NONE);
}

bool FullScreenWatch::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto &e = *static_cast<const xcb_generic_event_t *>(message);
    switch (e.response_type & 0x7f) {
    case XCB_PROPERTY_NOTIFY: {
        const auto &p = reinterpret_cast<const xcb_property_notify_event_t &>(e);
        if ((p.window == m_root && p.atom == m_activeAtom)
            || (p.window == m_active && (p.atom == m_stateAtom || p.atom == m_frameAtom)))
            scheduleCheck();
        break;
    }
    case XCB_CONFIGURE_NOTIFY:
        if (reinterpret_cast<const xcb_configure_notify_event_t &>(e).window == m_active)
            scheduleCheck();
        break;
    case XCB_UNMAP_NOTIFY:
        if (reinterpret_cast<const xcb_unmap_notify_event_t &>(e).window == m_active)
            scheduleCheck();
        break;
    case XCB_DESTROY_NOTIFY:
        if (reinterpret_cast<const xcb_destroy_notify_event_t &>(e).window == m_active) {
            m_followed = false; // its event mask went with it
            scheduleCheck();
        }
        break;
    default: break;
    }
    return false;
}

void FullScreenWatch::scheduleCheck()
{
    // A burst of changes (a window going full screen sends several) is
    // looked at once, after the toolkit has handled them.
    if (m_checkPending)
        return;
    m_checkPending = true;
    QTimer::singleShot(0, this, [this] {
        m_checkPending = false;
        check();
    });
}

void FullScreenWatch::follow(xcb_window_t window)
{
    if (window == m_active && (m_followed || window == XCB_WINDOW_NONE))
        return;
    // Only another program's window has its events asked for here: the
    // toolkit's own windows carry the toolkit's mask, which must stay.
    if (m_followed && m_active != XCB_WINDOW_NONE) {
        const quint32 none = XCB_EVENT_MASK_NO_EVENT;
        xcb_change_window_attributes(m_connection, m_active, XCB_CW_EVENT_MASK, &none);
    }
    m_active = window;
    m_followed = false;
    if (window != XCB_WINDOW_NONE && !isOurs(window)) {
        const quint32 mask = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, window, XCB_CW_EVENT_MASK, &mask);
        m_followed = true;
    }
    xcb_flush(m_connection);
}

void FullScreenWatch::check()
{
    const xcb_window_t active = activeWindow(m_connection, m_root, m_activeAtom);
    follow(active);
    QRect area;
    if (active != XCB_WINDOW_NONE && !isOurs(active)) {
        ActiveWindowFacts facts;
        const xcb_atom_t fullScreen = internAtom(m_connection, "_NET_WM_STATE_FULLSCREEN");
        facts.fullScreenState = x11Property32(m_connection, active, m_stateAtom, XCB_ATOM_ATOM).contains(fullScreen);
        const QList<quint32> frame = x11Property32(m_connection, active, m_frameAtom, XCB_ATOM_CARDINAL, 4);
        for (quint32 side : frame)
            facts.framed = facts.framed || side > 0;
        const QList<quint32> types =
            x11Property32(m_connection, active, internAtom(m_connection, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM);
        facts.desktopOrDock = types.contains(internAtom(m_connection, "_NET_WM_WINDOW_TYPE_DESKTOP"))
            || types.contains(internAtom(m_connection, "_NET_WM_WINDOW_TYPE_DOCK"));
        facts.geometry = rootGeometry(m_connection, active, m_root);
        const qreal ratio = pixelRatio();
        QList<QRect> monitors;
        const auto screens = QGuiApplication::screens();
        for (const QScreen *screen : screens)
            monitors.append(toNative(screen->geometry(), ratio));
        area = toLogical(fullScreenArea(facts, monitors), ratio);
    }
    if (m_everReported && area == m_reported)
        return;
    m_everReported = true;
    m_reported = area;
    m_report(area);
}

QRect FullScreenWatch::activeWindowArea()
{
    xcb_connection_t *c = x11Connection();
    if (!c)
        return QRect();
    const xcb_window_t root = x11Root(c);
    const xcb_window_t active = activeWindow(c, root, internAtom(c, "_NET_ACTIVE_WINDOW"));
    if (active == XCB_WINDOW_NONE)
        return QRect();
    return toLogical(rootGeometry(c, active, root), pixelRatio());
}
