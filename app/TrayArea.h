#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>

class QMenu;
class QSystemTrayIcon;

// The notification-area icon. It is created the first time it is made
// visible, so a run that never goes to the tray never talks to the tray.
class TrayArea : public QObject
{
    Q_OBJECT
public:
    TrayArea(const QIcon &icon, const QString &toolTip, QObject *parent = nullptr);
    ~TrayArea() override;

    bool iconVisible() const;
    void setIconVisible(bool visible);

    // The icon's own menu. The toolkit opens it on a right click where the
    // icon is embedded in the tray, and publishes it to hosts that draw the
    // menu themselves (a StatusNotifierItem host shows only the published
    // one), so nobody else pops it up.
    void setMenu(QMenu *menu);
    // What the icon's tooltip says (also before the icon is first shown).
    void setToolTip(const QString &toolTip);
    QString toolTip() const { return m_toolTip; }
    QMenu *menu() const;

Q_SIGNALS:
    // A mouse button acted on the icon, as a MouseCode (1 left, 2 right,
    // 4 middle).
    void iconMouse(int button);
    // The user asked for the window back (a left click or a double click).
    void iconActivate();

private:
    QIcon m_icon;
    QString m_toolTip;
    QPointer<QMenu> m_menu;
    QSystemTrayIcon *m_tray = nullptr;
};
