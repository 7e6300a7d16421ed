#pragma once

#include "platform/Platform.h"

#include <QList>
#include <QMap>
#include <QStringList>
#include <QUrl>
#include <QWidget>

// The platform as the tests want it: a notification area (or none), and web
// pages recorded instead of opened. The data folder follows windir as usual.
class TestPlatform final : public Platform
{
public:
    void setTopMost(QWidget &window, bool on) override { window.setWindowFlag(Qt::WindowStaysOnTopHint, on); }
    bool openUrl(const QUrl &url) override
    {
        opened.append(url);
        return true;
    }
    bool hasNotificationArea() const override { return tray; }
    void registerAtLogon(const QString &name, const QString &command) override
    {
        logon.append(QStringLiteral("register %1 %2").arg(name, command));
        if (!registerFails)
            registered.insert(name, command);
    }
    void unregisterAtLogon(const QString &name) override
    {
        logon.append(QStringLiteral("unregister ") + name);
        registered.remove(name);
    }
    bool isRegisteredAtLogon(const QString &name, const QString &command) const override
    {
        return registered.contains(name) && registered.value(name) == command;
    }
    bool isConnected(bool askService) override
    {
        serviceAsked = serviceAsked || askService;
        return connected;
    }

    bool tray = true;
    bool connected = false;
    bool serviceAsked = false;
    QList<QUrl> opened;
    QStringList logon;
    // The entries as the system holds them, by name; registerFails leaves
    // them as they are, as a folder that cannot be written does.
    QMap<QString, QString> registered;
    bool registerFails = false;
};
