#pragma once

#include <QMenu>

class HoldGate;

// The pause choices, as a menu of the main window's options and of the
// tray icon's: 15 minutes, an hour, until tomorrow, and resume (only while
// paused). The choice goes to the gate, which keeps it across restarts.
class PauseMenu : public QMenu
{
    Q_OBJECT
public:
    static inline const QString Title = QStringLiteral("إيقاف مؤقت");

    PauseMenu(HoldGate &gate, QWidget *parent);

Q_SIGNALS:
    // The pause could not be kept in its file (it still holds for this run).
    void notSaved();

private:
    void update();

    HoldGate &m_gate;
    QAction *m_resume;
};
