#pragma once

#include <QObject>

#include <functional>
#include <windows.h>

// Tells when the machine has just woken from sleep: the system's resume
// notices arrive at a message-only window of its own (which, unlike a
// top-level window, hears of them only once registered for them), and the
// toolkit's event loop dispatches them with the rest. Ends with its owner.
class WakeWatch final : public QObject
{
public:
    WakeWatch(QObject &owner, std::function<void()> woke);
    ~WakeWatch() override;

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    std::function<void()> m_woke;
    HWND m_window = nullptr;
    HPOWERNOTIFY m_notify = nullptr;
};
