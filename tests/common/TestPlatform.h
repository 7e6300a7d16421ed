#pragma once

#include "core/fetch/Connectivity.h"
#include "net/QtNetworkKit.h"
#include "platform/Platform.h"

#include <QList>
#include <QMap>
#include <QPointer>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>
#include <QWidget>

// The platform as the tests want it: a notification area (or none), and web
// pages recorded instead of opened. The data folder follows windir, as the
// program's does on Linux, on every system (a Windows program ignores it,
// and the tests must not meet in the user's own folder); the network's
// classes are linked in rather than loaded.
class TestPlatform final : public Platform
{
public:
    using Reach = Connectivity::Reach;

    void setTopMost(QWidget &window, bool on) override { window.setWindowFlag(Qt::WindowStaysOnTopHint, on); }
    bool openUrl(const QUrl &url) override
    {
        opened.append(url);
        return true;
    }
    bool hasNotificationArea() const override { return tray; }
    NetworkKit *network() override { return &kit; }
    // The sound module is never loaded by a test: soundOutput plays, and
    // soundAsked counts who reached for it.
    SoundOutput *sound() override
    {
        ++soundAsked;
        return soundOutput;
    }
    void registerAtLogon(const QString &name, const QString &command) override
    {
        logon.append(QStringLiteral("register %1 %2").arg(name, command));
        if (!registerFails)
            registered.insert(name, command);
    }
    void unregisterAtLogon(const QString &name) override
    {
        logon.append(QStringLiteral("unregister ") + name);
        if (!unregisterFails)
            registered.remove(name);
    }
    QString dataFolder() const override
    {
        return chooseDataFolder(qgetenv("windir"),
                                QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
            .folder;
    }
    QStringList olderDataFolders() const override { return older; }
    bool isRegisteredAtLogon(const QString &name, const QString &command) const override
    {
        return registered.contains(name) && registered.value(name) == command;
    }
    // The network service is loaded on the first check that asks for it
    // and, like the system's, starts out disconnected until its first
    // answer; afterwards it says what connected says, as the table does.
    bool isConnected(bool askService) override
    {
        serviceAsked = serviceAsked || askService;
        Reach reach = connected ? Reach::Online : Reach::Disconnected;
        if (askService && !service.loaded()) {
            service.markLoaded();
            reach = Reach::Disconnected;
        }
        ++checks;
        return service.check(reach, connected);
    }
    void watchConnection(QObject &owner, std::function<void()> handler) override
    {
        watchOwner = &owner;
        watchHandler = std::move(handler);
    }
    // With reportsAll, a service that has been heard from tells of every
    // change.
    bool connectionReported() const override { return reportsAll && service.loaded() && service.heard(); }
    // The service tells of a change: the watcher hears it at once.
    void report(bool on)
    {
        connected = on;
        service.markReported();
        if (service.loaded() && watchOwner && watchHandler)
            watchHandler();
    }
    void watchWake(QObject &owner, std::function<void()> woke) override
    {
        wakeOwner = &owner;
        wakeHandler = std::move(woke);
    }
    // The machine woke: the watcher, while its owner lives, hears it.
    void wake()
    {
        if (wakeOwner && wakeHandler)
            wakeHandler();
    }
    void reset()
    {
        connected = true;
        serviceAsked = false;
        reportsAll = false;
        service = {};
        checks = 0;
        watchOwner = nullptr;
        watchHandler = {};
    }

    QtNetworkKit kit;
    SoundOutput *soundOutput = nullptr;
    int soundAsked = 0;
    bool tray = true;
    bool connected = false;
    bool serviceAsked = false;
    bool reportsAll = false;
    Connectivity::Service service;
    int checks = 0;
    QPointer<QObject> watchOwner;
    std::function<void()> watchHandler;
    QPointer<QObject> wakeOwner;
    std::function<void()> wakeHandler;
    QList<QUrl> opened;
    QStringList logon;
    // The entries as the system holds them, by name; registerFails leaves
    // them as they are, as a folder that cannot be written does.
    QMap<QString, QString> registered;
    bool registerFails = false;
    // unregisterAtLogon leaves the entry, as one for every user does.
    bool unregisterFails = false;
    // Where an older version's data folder may be.
    QStringList older;
};
