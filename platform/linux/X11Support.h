#pragma once

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QList>
#include <QObject>
#include <functional>
#include <initializer_list>
#include <xcb/xcb.h>

// The toolkit's own connection to the X server; none on other window
// systems.
xcb_connection_t *x11Connection();
xcb_window_t x11Root(xcb_connection_t *c);
xcb_atom_t internAtom(xcb_connection_t *c, const char *name);
// Several atoms in one round trip, in the order named.
QList<xcb_atom_t> internAtoms(xcb_connection_t *c, std::initializer_list<const char *> names);
// Adds property changes to the events this connection receives from
// window, keeping those it already asked for (the toolkit's own).
void listenToPropertyChanges(xcb_connection_t *c, xcb_window_t window);
// A window's 32-bit property as numbers (atoms, windows, cardinals); empty
// when it has none or the window is gone.
QList<quint32> x11Property32(xcb_connection_t *c, xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                             quint32 maxItems = 64);

// Calls a handler for the X events it picks, for as long as its owner lives.
class X11EventWatch final : public QObject, public QAbstractNativeEventFilter
{
public:
    using Pick = std::function<bool(const xcb_generic_event_t &)>;

    X11EventWatch(QObject &owner, Pick pick, std::function<void()> handler);
    ~X11EventWatch() override;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override;

private:
    Pick m_pick;
    std::function<void()> m_handler;
};
