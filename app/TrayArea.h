#pragma once

#include <QIcon>
#include <QObject>
#include <QString>

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

Q_SIGNALS:
    // A mouse button acted on the icon, as a MouseCode (1 left, 2 right,
    // 4 middle).
    void iconMouse(int button);
    // The user asked for the window back (a left click or a double click).
    void iconActivate();

private:
    QIcon m_icon;
    QString m_toolTip;
    QSystemTrayIcon *m_tray = nullptr;
};
