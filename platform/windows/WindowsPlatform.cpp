#include "platform/Platform.h"

#include "platform/LogonCommand.h"

#include <QWidget>
#include <windows.h>
#include <wininet.h>

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// A path with blanks is quoted, or Windows would try each blank-separated
// prefix of it as a program.
QString runValue(const QString &command)
{
    return command.contains(QLatin1Char(' ')) ? QLatin1Char('"') + command + QLatin1Char('"') : command;
}

class WindowsPlatform final : public Platform
{
public:
    void registerAtLogon(const QString &name, const QString &command) override
    {
        const QString data = runValue(command);
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

    bool isRegisteredAtLogon(const QString &name, const QString &command) const override
    {
        const QByteArray value = name.toLocal8Bit();
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
            return false;
        DWORD type = 0;
        char data[1024] = {};
        DWORD size = sizeof data - 1;
        const LONG read =
            RegQueryValueExA(key, value.constData(), nullptr, &type, reinterpret_cast<BYTE *>(data), &size);
        RegCloseKey(key);
        if (read != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
            return false;
        // Paths on Windows are the same in any case; the value may or may
        // not carry quotes a path without blanks does not need.
        QString stored = QString::fromLocal8Bit(data).trimmed();
        if (stored.size() > 1 && stored.startsWith(QLatin1Char('"')) && stored.endsWith(QLatin1Char('"')))
            stored = stored.mid(1, stored.size() - 2);
        return !command.isEmpty() && stored.compare(command, Qt::CaseInsensitive) == 0;
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
