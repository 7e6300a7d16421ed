#include "platform/windows/SessionLockWatch.h"

#include <wtsapi32.h>

namespace {

const wchar_t ClassName[] = L"MurelSessionLockWatch";

} // namespace

SessionLockWatch::SessionLockWatch(QObject &owner, std::function<void(bool)> report)
    : QObject(&owner)
    , m_report(std::move(report))
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = &SessionLockWatch::windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = ClassName;
    RegisterClassW(&windowClass); // fails harmlessly once registered
    m_window = CreateWindowExW(0, ClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    if (m_window) {
        SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        m_registered = WTSRegisterSessionNotification(m_window, NOTIFY_FOR_THIS_SESSION);
    }
    m_report(false);
}

SessionLockWatch::~SessionLockWatch()
{
    if (m_registered)
        WTSUnRegisterSessionNotification(m_window);
    if (m_window) {
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        DestroyWindow(m_window);
    }
}

LRESULT CALLBACK SessionLockWatch::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_WTSSESSION_CHANGE && (wParam == WTS_SESSION_LOCK || wParam == WTS_SESSION_UNLOCK)) {
        if (auto *watch = reinterpret_cast<SessionLockWatch *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)))
            watch->m_report(wParam == WTS_SESSION_LOCK);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
