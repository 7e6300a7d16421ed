#pragma once

#include "core/system/DataFolderChoice.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class NetworkKit;
class NetworkModule;
class SoundModule;
class SoundOutput;
class QObject;
class QRect;
class QUrl;
class QWidget;

// The few services that differ between operating systems. Windows get the
// instance they need passed in; tests substitute their own.
class Platform
{
public:
    Platform();
    virtual ~Platform();
    Platform(const Platform &) = delete;
    Platform &operator=(const Platform &) = delete;

    // Folder that holds the settings record and the downloads: "<windir>/murel"
    // when windir is set, else under the user's data folder (see
    // chooseDataFolder); empty when windir is refused.
    virtual QString dataFolder() const;
    // Where older versions kept the same files, to be brought over once
    // into a data folder still unused (see OlderDataFolder); none here.
    virtual QStringList olderDataFolders() const;

    // Pins a top-level window above ordinary windows (or releases it)
    // without moving or resizing it.
    virtual void setTopMost(QWidget &window, bool on) = 0;

    // Opens a web page in the user's browser; false when nothing took it.
    virtual bool openUrl(const QUrl &url);

    // Whether the desktop has a notification area for the tray icon.
    virtual bool hasNotificationArea() const;

    // Starts command (a program's path) when the user logs on, under the
    // given name, or stops doing so. Failures are silent: what counts is
    // what isRegisteredAtLogon reports afterwards.
    virtual void registerAtLogon(const QString &name, const QString &command) = 0;
    virtual void unregisterAtLogon(const QString &name) = 0;
    // Whether the entry under name exists and starts command at logon: the
    // system's word, which the user or another copy may have changed since
    // this program last wrote it.
    virtual bool isRegisteredAtLogon(const QString &name, const QString &command) const = 0;
    // The command that starts the program at exePath (the running one)
    // at logon.
    virtual QString logonCommand(const QString &exePath) const;

    // What reaches the network, loaded on the first call: its libraries
    // are not worth a start, nor the tray's memory, where no server is
    // ever asked. Null when it cannot be loaded (said once): then nothing
    // is downloaded and the machine counts as off-line.
    virtual NetworkKit *network();
    // What plays a card's sound, loaded on the first call as the network
    // is: while sound is off no sound library is in memory. Null when it
    // cannot be loaded (said once): cards then come without sound.
    virtual SoundOutput *sound();

    // Whether the machine is on-line by any means. The system's network
    // service is consulted once askService has been true (the fetch is
    // about to run): it is not worth its libraries before.
    virtual bool isConnected(bool askService) = 0;
    // Calls handler, for as long as owner lives, whenever the system's
    // network service tells of a change, once a check has loaded it: a
    // change is then seen at once rather than on the next check. The
    // checks stay for what it does not tell (and systems without one).
    virtual void watchConnection(QObject &owner, std::function<void()> handler);
    // Whether the network service's reports now tell of every change, so
    // that a check in between would find nothing new: it is loaded, has
    // been heard from, and knows the machine's state. False where there is
    // no such service.
    virtual bool connectionReported() const;

    // Keeps a top-level window out of the taskbar, the pagers and window
    // switching: a passing notice, not a window the user works in. Called
    // from the window's show event, before it reaches the screen.
    virtual void markAsNotice(QWidget &window);

    // The desktop's work area (the screens less the panels), as the window
    // manager publishes it; empty when it publishes none. Toolkits ignore it
    // with several monitors, where a panel still takes room.
    virtual QRect workArea() const;
    // Calls handler whenever the work area changes, for as long as owner
    // lives.
    virtual void watchWorkArea(QObject &owner, std::function<void()> handler);

    // Calls handler when the window manager asks window to close, also
    // while a modal window blocks it (when the toolkit itself ignores it).
    virtual void onCloseRequest(QWidget &window, std::function<void()> handler);

    // Calls handler on the user-interface thread when the system asks the
    // program to end (a termination or interrupt signal, the session's end).
    virtual void onEndRequest(std::function<void()> handler);

    // What the user is doing, for holding a reminder back. Each watch
    // reports at once what it knows and then every change, by the
    // desktop's own signals, for as long as owner lives; a desktop that
    // offers no such signal never reports a hold.
    //
    // The monitor (in the toolkit's pixels) that the active window fills
    // full screen, or an empty rectangle.
    virtual void watchFullScreen(QObject &owner, std::function<void(QRect)> report);
    // Whether the desktop's do-not-disturb switch is on.
    virtual void watchDoNotDisturb(QObject &owner, std::function<void(bool)> report);
    // Whether the screen is locked.
    virtual void watchScreenLock(QObject &owner, std::function<void(bool)> report);
    // Calls woke, for as long as owner lives, whenever the machine has just
    // woken from sleep, so that what is due by the wall clock is looked at
    // again: a timer counts only the time awake. A system that does not
    // tell never calls it.
    virtual void watchWake(QObject &owner, std::function<void()> woke);
    // A card is due: the watches whose system tells of no change ask it
    // now and report (the others have reported already).
    virtual void askHolds();
    // Milliseconds since the user last pressed a key or moved the pointer;
    // -1 when the system does not tell.
    virtual qint64 idleMs() const;
    // The active window's area (in the toolkit's pixels); empty when unknown.
    virtual QRect activeWindowArea() const;

private:
    std::unique_ptr<NetworkModule> m_network;
    std::unique_ptr<SoundModule> m_sound;
};

// The choice of data folder from this process's environment.
DataFolderChoice dataFolderFromEnvironment();

std::unique_ptr<Platform> createPlatform();
