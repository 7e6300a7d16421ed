#include "platform/Platform.h"

#include "platform/LogonCommand.h"

#include <QWidget>
#include <windows.h>
#include <wininet.h>

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class WindowsPlatform final : public Platform
{
public:
    void registerAtLogon(const QString &name, const QString &command) override
    {
        // A path with blanks is quoted, or Windows would try each
        // blank-separated prefix of it as a program.
        const QString data = command.contains(QLatin1Char(' ')) ? QLatin1Char('"') + command + QLatin1Char('"') : command;
        const QByteArray value = name.toLocal8Bit();
        const QByteArray bytes = data.toLocal8Bit();
        HKEY key = nullptr;
        RegCreateKeyA(HKEY_LOCAL_MACHINE, kRunKey, &key);
        RegSetValueExA(key, value.constData(), 0, REG_SZ, reinterpret_cast<const BYTE *>(bytes.constData()),
                       DWORD(bytes.size() + 1));
        RegCloseKey(key);
    }

    bool isConnected(bool) override
    {
        DWORD flags = 0;
        return InternetGetConnectedState(&flags, 0) == TRUE;
    }

    QString logonCommand(const QString &exePath) const override
    {
        return LogonCommand::byName(exePath, QLatin1Char('\\'));
    }

    void unregisterAtLogon(const QString &name) override
    {
        const QByteArray value = name.toLocal8Bit();
        HKEY key = nullptr;
        RegOpenKeyA(HKEY_LOCAL_MACHINE, kRunKey, &key);
        RegDeleteValueA(key, value.constData());
        RegCloseKey(key);
    }

    void setTopMost(QWidget &window, bool on) override
    {
        const HWND hwnd = reinterpret_cast<HWND>(window.winId());
        SetWindowPos(hwnd, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
};

} // namespace

std::unique_ptr<Platform> createPlatform()
{
    return std::make_unique<WindowsPlatform>();
}
