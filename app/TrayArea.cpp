#include "app/TrayArea.h"

#include "controls/ButtonInput.h"

#include <QMenu>
#include <QSystemTrayIcon>

TrayArea::TrayArea(const QIcon &icon, const QString &toolTip, QObject *parent)
    : QObject(parent)
    , m_icon(icon)
    , m_toolTip(toolTip)
{
}

TrayArea::~TrayArea() = default;

bool TrayArea::iconVisible() const
{
    return m_tray && m_tray->isVisible();
}

void TrayArea::setMenu(QMenu *menu)
{
    m_menu = menu;
    if (m_tray)
        m_tray->setContextMenu(menu);
}

void TrayArea::setToolTip(const QString &toolTip)
{
    m_toolTip = toolTip;
    if (m_tray)
        m_tray->setToolTip(toolTip);
}

QMenu *TrayArea::menu() const
{
    return m_tray ? m_tray->contextMenu() : m_menu.data();
}

void TrayArea::setIconVisible(bool visible)
{
    if (!visible) {
        if (m_tray)
            m_tray->hide();
        return;
    }
    if (!m_tray) {
        m_tray = new QSystemTrayIcon(m_icon, this);
        m_tray->setObjectName(QStringLiteral("icon"));
        m_tray->setToolTip(m_toolTip);
        m_tray->setContextMenu(m_menu);
        connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            switch (reason) {
            case QSystemTrayIcon::Context: Q_EMIT iconMouse(MouseCode::Right); break;
            case QSystemTrayIcon::Trigger:
                Q_EMIT iconMouse(MouseCode::Left);
                Q_EMIT iconActivate();
                break;
            case QSystemTrayIcon::DoubleClick: Q_EMIT iconActivate(); break;
            case QSystemTrayIcon::MiddleClick: Q_EMIT iconMouse(MouseCode::Middle); break;
            default: break;
            }
        });
    }
    m_tray->show();
}
