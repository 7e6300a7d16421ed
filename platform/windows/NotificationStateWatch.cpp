#include "platform/windows/NotificationStateWatch.h"

// windows.h first: the shell's headers build on it.
#include <windows.h>

#include <shellapi.h>

NotificationStateWatch::NotificationStateWatch(QObject &owner, Kind kind, std::function<void(bool)> report)
    : QObject(&owner)
    , m_kind(kind)
    , m_report(std::move(report))
{
    m_whileHeld.setTimerType(Qt::VeryCoarseTimer);
    m_whileHeld.setInterval(WhileHeldMs);
    connect(&m_whileHeld, &QTimer::timeout, this, &NotificationStateWatch::ask);
    ask();
}

void NotificationStateWatch::ask()
{
    QUERY_USER_NOTIFICATION_STATE state = QUNS_ACCEPTS_NOTIFICATIONS;
    if (FAILED(SHQueryUserNotificationState(&state)))
        state = QUNS_ACCEPTS_NOTIFICATIONS;
    bool held = false;
    switch (m_kind) {
    case Kind::FullScreen:
        // A full-screen program, a game, a presentation, a full-screen app
        // of the store.
        held = state == QUNS_BUSY || state == QUNS_RUNNING_D3D_FULL_SCREEN || state == QUNS_PRESENTATION_MODE
            || state == QUNS_APP;
        break;
    case Kind::QuietTime: held = state == QUNS_QUIET_TIME; break;
    }
    if (held && !m_whileHeld.isActive())
        m_whileHeld.start();
    else if (!held)
        m_whileHeld.stop();
    m_report(held);
}
