#include "platform/linux/ScreenSaverStatus.h"

#include "platform/linux/X11Support.h"

void watchScreenSaverStatus(QObject &owner, std::function<void(bool)> report)
{
    xcb_connection_t *c = x11Connection();
    if (!c)
        return;
    const xcb_window_t root = x11Root(c);
    const QList<xcb_atom_t> atoms = internAtoms(c, {"_SCREENSAVER_STATUS", "BLANK", "LOCK"});
    const xcb_atom_t status = atoms.at(0);
    const xcb_atom_t blank = atoms.at(1);
    const xcb_atom_t lock = atoms.at(2);
    if (root == XCB_WINDOW_NONE || status == XCB_ATOM_NONE)
        return;
    listenToPropertyChanges(c, root);
    // Deleted or of another kind, the property reads empty: the screen shows.
    auto blanked = [=] {
        const quint32 state = x11Property32(c, root, status, XCB_ATOM_INTEGER, 1).value(0, XCB_ATOM_NONE);
        return state != XCB_ATOM_NONE && (state == blank || state == lock);
    };
    auto pick = [root, status](const xcb_generic_event_t &e) {
        if ((e.response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
            return false;
        const auto &p = reinterpret_cast<const xcb_property_notify_event_t &>(e);
        return p.window == root && p.atom == status;
    };
    new X11EventWatch(owner, pick, [blanked, report] { report(blanked()); });
    report(blanked());
}
