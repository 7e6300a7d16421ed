#include "platform/windows/WakeWatch.h"

namespace {

const wchar_t ClassName[] = L"MurelWakeWatch";

} // namespace

WakeWatch::WakeWatch(QObject &owner, std::function<void()> woke)
    : QObject(&owner)
    , m_woke(std::move(woke))
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = &WakeWatch::windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = ClassName;
    RegisterClassW(&windowClass); // fails harmlessly once registered
    m_window = CreateWindowExW(0, ClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    if (m_window) {
        SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        m_notify = RegisterSuspendResumeNotification(m_window, DEVICE_NOTIFY_WINDOW_HANDLE);
    }
}

WakeWatch::~WakeWatch()
{
    if (m_notify)
        UnregisterSuspendResumeNotification(m_notify);
    if (m_window) {
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        DestroyWindow(m_window);
    }
}

LRESULT CALLBACK WakeWatch::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Every resume is told as "automatic", one the user woke also as
    // "suspend": a second look at the clock finds nothing new.
    if (message == WM_POWERBROADCAST && (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND)) {
        if (auto *watch = reinterpret_cast<WakeWatch *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)))
            watch->m_woke();
        return TRUE;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
