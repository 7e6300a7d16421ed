#include "platform/Platform.h"

#include "core/system/RunValue.h"
#include "platform/windows/NotificationStateWatch.h"
#include "platform/windows/SessionLockWatch.h"
#include "platform/windows/WakeWatch.h"

#include <QGuiApplication>
#include <QList>
#include <QPointer>
#include <QRect>
#include <QScreen>
#include <QStandardPaths>
#include <QWidget>
#include <QWindow>

#include <optional>

// windows.h first: the others build on it.
#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>
#include <wininet.h>

namespace {

const wchar_t RunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// A folder the shell knows, in UTF-16: the environment may lack it.
QString knownFolder(const KNOWNFOLDERID &id)
{
    PWSTR path = nullptr;
    QString folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path)))
        folder = QString::fromWCharArray(path);
    CoTaskMemFree(path);
    return folder;
}

QString environmentOr(const char *name, const KNOWNFOLDERID &id)
{
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? knownFolder(id) : value;
}

WindowsDataFolders dataFolders()
{
    return windowsDataFolders(environmentOr("APPDATA", FOLDERID_RoamingAppData),
                              environmentOr("LOCALAPPDATA", FOLDERID_LocalAppData), qEnvironmentVariable("windir"));
}

std::wstring wide(const QString &text)
{
    return text.toStdWString();
}

// A string value under root's Run key, or nothing when there is none.
std::optional<QString> readRunValue(HKEY root, const QString &name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, RunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    const std::wstring valueName = wide(name);
    DWORD type = 0;
    DWORD size = 0;
    std::optional<QString> value;
    if (RegQueryValueExW(key, valueName.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS
        && (type == REG_SZ || type == REG_EXPAND_SZ) && size < 64 * 1024) {
        std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
        DWORD got = DWORD(data.size() * sizeof(wchar_t));
        if (RegQueryValueExW(key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE *>(data.data()), &got)
            == ERROR_SUCCESS)
            value = QString::fromWCharArray(data.c_str());
    }
    RegCloseKey(key);
    return value;
}

// The screen (in the toolkit's pixels) that holds monitor. Qt keeps each
// screen's top left corner where the system has it, so the corner names
// the monitor whatever the scaling.
QScreen *screenOf(HMONITOR monitor)
{
    for (QScreen *screen : QGuiApplication::screens()) {
        const QPoint corner = screen->geometry().topLeft();
        if (MonitorFromPoint(POINT{corner.x(), corner.y()}, MONITOR_DEFAULTTONULL) == monitor)
            return screen;
    }
    return nullptr;
}

// The foreground window's monitor, as a screen's area.
QRect foregroundMonitorArea()
{
    const HWND foreground = GetForegroundWindow();
    if (!foreground)
        return QRect();
    QScreen *screen = screenOf(MonitorFromWindow(foreground, MONITOR_DEFAULTTONEAREST));
    return screen ? screen->geometry() : QRect();
}

class WindowsPlatform final : public Platform
{
public:
    QStringList olderDataFolders() const override { return dataFolders().older; }

    void registerAtLogon(const QString &name, const QString &command) override
    {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, RunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr)
            != ERROR_SUCCESS)
            return;
        const std::wstring value = wide(RunValue::forProgram(command));
        RegSetValueExW(key, wide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                       DWORD((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }

    void unregisterAtLogon(const QString &name) override
    {
        // The user's own entry; an older version's entry for every user
        // goes too where this user may remove it (an administrator).
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            HKEY key = nullptr;
            if (RegOpenKeyExW(root, RunKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
                RegDeleteValueW(key, wide(name).c_str());
                RegCloseKey(key);
            }
        }
    }

    bool isRegisteredAtLogon(const QString &name, const QString &command) const override
    {
        if (const std::optional<QString> own = readRunValue(HKEY_CURRENT_USER, name))
            return RunValue::startsProgram(*own, command);
        // An older version wrote its entry for every user of the machine:
        // it still starts the program at logon, so the box is ticked.
        const std::optional<QString> machine = readRunValue(HKEY_LOCAL_MACHINE, name);
        return machine && !machine->trimmed().isEmpty();
    }

    QString logonCommand(const QString &exePath) const override { return exePath; }

    bool isConnected(bool) override
    {
        DWORD flags = 0;
        return InternetGetConnectedState(&flags, 0) == TRUE;
    }

    void setTopMost(QWidget &window, bool on) override
    {
        if (window.testAttribute(Qt::WA_WState_Created) && window.windowHandle()) {
            window.windowHandle()->setFlag(Qt::WindowStaysOnTopHint, on);
            window.overrideWindowFlags(window.windowHandle()->flags());
            SetWindowPos(reinterpret_cast<HWND>(window.winId()), on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        } else {
            window.setWindowFlag(Qt::WindowStaysOnTopHint, on);
        }
    }

    void markAsNotice(QWidget &window) override
    {
        // A tool window that never activates is in neither the taskbar nor
        // Alt+Tab, and showing it leaves the focus where the user works.
        if (!window.testAttribute(Qt::WA_WState_Created))
            return;
        const auto hwnd = reinterpret_cast<HWND>(window.winId());
        const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
        SetWindowLongPtrW(hwnd, GWL_EXSTYLE,
                          (style | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE) & ~LONG_PTR(WS_EX_APPWINDOW));
    }

    void watchFullScreen(QObject &owner, std::function<void(QRect)> report) override
    {
        m_shellWatches.append(new NotificationStateWatch(
            owner, NotificationStateWatch::Kind::FullScreen,
            [report = std::move(report)](bool held) { report(held ? foregroundMonitorArea() : QRect()); }));
    }

    void watchDoNotDisturb(QObject &owner, std::function<void(bool)> report) override
    {
        m_shellWatches.append(
            new NotificationStateWatch(owner, NotificationStateWatch::Kind::QuietTime, std::move(report)));
    }

    void watchScreenLock(QObject &owner, std::function<void(bool)> report) override
    {
        new SessionLockWatch(owner, std::move(report));
    }

    void watchWake(QObject &owner, std::function<void()> woke) override { new WakeWatch(owner, std::move(woke)); }

    void askHolds() override
    {
        m_shellWatches.removeAll(nullptr);
        for (const QPointer<NotificationStateWatch> &watch : std::as_const(m_shellWatches))
            watch->ask();
    }

    qint64 idleMs() const override
    {
        LASTINPUTINFO input = {};
        input.cbSize = sizeof input;
        if (!GetLastInputInfo(&input))
            return -1;
        // Both in the same wrapping milliseconds: the difference survives
        // the 49-day turn.
        return qint64(DWORD(GetTickCount() - input.dwTime));
    }

    QRect activeWindowArea() const override
    {
        const HWND foreground = GetForegroundWindow();
        RECT r = {};
        if (!foreground || !GetWindowRect(foreground, &r))
            return QRect();
        QScreen *screen = screenOf(MonitorFromWindow(foreground, MONITOR_DEFAULTTONEAREST));
        if (!screen)
            return QRect();
        // From the monitor's pixels to the toolkit's, about the shared corner.
        const QPoint corner = screen->geometry().topLeft();
        const qreal ratio = screen->devicePixelRatio();
        return QRect(corner + QPoint(int((r.left - corner.x()) / ratio), int((r.top - corner.y()) / ratio)),
                     QSize(int((r.right - r.left) / ratio), int((r.bottom - r.top) / ratio)));
    }

private:
    QList<QPointer<NotificationStateWatch>> m_shellWatches;
};

} // namespace

DataFolderChoice dataFolderFromEnvironment()
{
    // Always the user's own folder: windir names the system's, which a
    // standard user cannot write.
    QString folder = dataFolders().folder;
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Murel");
    return {folder, DataFolderChoice::Refusal::None};
}

std::unique_ptr<Platform> createPlatform()
{
    return std::make_unique<WindowsPlatform>();
}
