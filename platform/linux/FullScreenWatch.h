#pragma once

#include "platform/linux/X11Support.h"

#include <QObject>
#include <QRect>
#include <functional>

// Follows the active window (the window manager's _NET_ACTIVE_WINDOW) and
// reports the monitor it fills full screen, or an empty rectangle, once at
// the start and then on every change. It listens to the root window's
// property changes, which the toolkit already receives, and to the active
// window's own state, size and end; nothing is polled.
class FullScreenWatch final : public QObject, public QAbstractNativeEventFilter
{
public:
    FullScreenWatch(QObject &owner, std::function<void(QRect)> report);
    ~FullScreenWatch() override;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override;

    // The active window's area in the toolkit's pixels; empty when unknown.
    static QRect activeWindowArea();

private:
    void scheduleCheck();
    void check();
    void follow(xcb_window_t window);

    xcb_connection_t *m_connection;
    xcb_window_t m_root;
    xcb_atom_t m_activeAtom;
    xcb_atom_t m_stateAtom;
    xcb_atom_t m_frameAtom;
    xcb_window_t m_active = XCB_WINDOW_NONE;
    bool m_followed = false; // m_active's events were asked for here
    bool m_checkPending = false;
    QRect m_reported;
    bool m_everReported = false;
    std::function<void(QRect)> m_report;
};
