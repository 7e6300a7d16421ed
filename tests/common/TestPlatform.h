#pragma once

#include "platform/Platform.h"

#include <QList>
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
    }
    void unregisterAtLogon(const QString &name) override { logon.append(QStringLiteral("unregister ") + name); }
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
};
