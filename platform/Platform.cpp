#include "platform/Platform.h"

#include "platform/LogonCommand.h"
#include "platform/NetworkModule.h"
#include "platform/SoundModule.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QRect>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QUrl>

Platform::Platform() = default;

Platform::~Platform() = default;

NetworkKit *Platform::network()
{
    if (!m_network)
        m_network = std::make_unique<NetworkModule>(QCoreApplication::applicationDirPath());
    return m_network->kit();
}

SoundOutput *Platform::sound()
{
    if (!m_sound)
        m_sound = std::make_unique<SoundModule>(QCoreApplication::applicationDirPath());
    return m_sound->output();
}

QString Platform::dataFolder() const
{
    return dataFolderFromEnvironment().folder;
}

QStringList Platform::olderDataFolders() const
{
    return {};
}

void Platform::askHolds()
{
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

bool Platform::connectionReported() const
{
    return false;
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

void Platform::watchWake(QObject &, std::function<void()>)
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
