#pragma once

#include <QObject>

class HoldGate;
class QAction;
class QMainWindow;
class QMenu;

// The main window's menu bar and the tray icon's menu. Each choice is
// reported; the pause menus go straight to the gate.
class MainMenus : public QObject
{
    Q_OBJECT
public:
    MainMenus(QMainWindow &window, HoldGate &gate);

    // Only ever the tray icon's menu: it is not in the bar.
    QMenu *trayMenu() const { return m_trayMenu; }
    // With no address configured the advertising item is shown, but cannot
    // be chosen.
    void setAdvertisingEnabled(bool enabled);

Q_SIGNALS:
    void exitChosen();
    void settingsChosen();
    void holdChosen();
    void timesChosen();
    void instructionsChosen();
    void aboutProgramChosen();
    void aboutAuthorChosen();
    void advertisingChosen();
    void minimizeChosen();
    void restoreChosen();
    // A pause or resume from a menu holds but could not be saved.
    void pauseNotSaved();

private:
    void buildBar(QMainWindow &window, HoldGate &gate);
    void buildTrayMenu(QMainWindow &window, HoldGate &gate);

    QAction *m_advertising = nullptr;
    QMenu *m_trayMenu = nullptr;
};
