#pragma once

#include <QObject>

#include <functional>
#include <windows.h>

// Tells when this session is locked and unlocked: the session notifications
// arrive at a message-only window of its own, which the toolkit's event
// loop dispatches with the rest. Reports "unlocked" at once (a program is
// not started on a locked screen). Ends with its owner.
class SessionLockWatch : public QObject
{
public:
    SessionLockWatch(QObject &owner, std::function<void(bool)> report);
    ~SessionLockWatch() override;

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    std::function<void(bool)> m_report;
    HWND m_window = nullptr;
    bool m_registered = false;
};
