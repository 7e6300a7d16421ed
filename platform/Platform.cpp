#include "platform/Platform.h"

#include "platform/LogonCommand.h"

#include <QDesktopServices>
#include <QDir>
#include <QRect>
#include <QUrl>
#include <QStandardPaths>
#include <QSystemTrayIcon>

QString dataFolderFor(const QString &windir, const QString &fallbackBase)
{
    const QString base = windir.isEmpty() ? fallbackBase : windir;
    return QDir::cleanPath(base + QStringLiteral("/murel"));
}

QString Platform::dataFolder() const
{
    return dataFolderFor(qEnvironmentVariable("windir"),
                         QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

bool Platform::openUrl(const QUrl &url)
{
    return url.isValid() && QDesktopServices::openUrl(url);
}

QString Platform::logonCommand(const QString &exePath) const
{
    return LogonCommand::byPath(exePath, QString());
}

bool Platform::hasNotificationArea() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void Platform::markAsNotice(QWidget &)
{
}

void Platform::onEndRequest(std::function<void()>)
{
}

QRect Platform::workArea() const
{
    return QRect();
}

void Platform::watchWorkArea(QObject &, std::function<void()>)
{
}

void Platform::watchConnection(QObject &, std::function<void()>)
{
}

void Platform::onCloseRequest(QWidget &, std::function<void()>)
{
}

void Platform::watchFullScreen(QObject &, std::function<void(QRect)>)
{
}

void Platform::watchDoNotDisturb(QObject &, std::function<void(bool)>)
{
}

void Platform::watchScreenLock(QObject &, std::function<void(bool)>)
{
}

qint64 Platform::idleMs() const
{
    return -1;
}

QRect Platform::activeWindowArea() const
{
    return QRect();
}
