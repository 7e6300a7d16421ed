#include "platform/linux/X11Support.h"

#include <QGuiApplication>

#include <cstdlib>
#include <cstring>

xcb_connection_t *x11Connection()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t x11Root(xcb_connection_t *c)
{
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    return screen ? screen->root : xcb_window_t(XCB_WINDOW_NONE);
}

xcb_atom_t internAtom(xcb_connection_t *c, const char *name)
{
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return atom;
}

QList<xcb_atom_t> internAtoms(xcb_connection_t *c, std::initializer_list<const char *> names)
{
    QList<xcb_intern_atom_cookie_t> cookies;
    for (const char *name : names)
        cookies.append(xcb_intern_atom(c, 0, uint16_t(strlen(name)), name));
    QList<xcb_atom_t> atoms;
    for (const xcb_intern_atom_cookie_t &cookie : std::as_const(cookies)) {
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(c, cookie, nullptr);
        atoms.append(reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE));
        free(reply);
    }
    return atoms;
}

void listenToPropertyChanges(xcb_connection_t *c, xcb_window_t window)
{
    // The mask is this connection's own on that window: setting it replaces
    // what the toolkit asked for, so it is read first.
    xcb_get_window_attributes_reply_t *attributes =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr);
    if (!attributes)
        return;
    const quint32 mask = attributes->your_event_mask;
    free(attributes);
    if (mask & XCB_EVENT_MASK_PROPERTY_CHANGE)
        return;
    const quint32 wanted = mask | XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(c, window, XCB_CW_EVENT_MASK, &wanted);
    xcb_flush(c);
}

QList<quint32> x11Property32(xcb_connection_t *c, xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                             quint32 maxItems)
{
    QList<quint32> values;
    xcb_get_property_reply_t *reply =
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, type, 0, maxItems), nullptr);
    if (!reply)
        return values;
    if (reply->format == 32) {
        const auto *v = static_cast<const quint32 *>(xcb_get_property_value(reply));
        const int count = xcb_get_property_value_length(reply) / 4;
        values.reserve(count);
        for (int i = 0; i < count; ++i)
            values.append(v[i]);
    }
    free(reply);
    return values;
}

X11EventWatch::X11EventWatch(QObject &owner, Pick pick, std::function<void()> handler)
    : QObject(&owner)
    , m_pick(std::move(pick))
    , m_handler(std::move(handler))
{
    qApp->installNativeEventFilter(this);
}

X11EventWatch::~X11EventWatch()
{
    qApp->removeNativeEventFilter(this);
}

bool X11EventWatch::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    // The toolkit handles the event as usual; the handler runs after.
    if (eventType == "xcb_generic_event_t" && m_pick(*static_cast<const xcb_generic_event_t *>(message)))
        QMetaObject::invokeMethod(this, m_handler, Qt::QueuedConnection);
    return false;
}
