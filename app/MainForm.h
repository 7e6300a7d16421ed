#pragma once

#include "core/settings/Settings.h"

#include <QWidget>

class MessageBoxes;
class MovieStrip;
class QLabel;
class QLineEdit;
class QRadioButton;
class Shape;
class TavrelButton;

// The main window's client area: the interval, its unit and the duration,
// Start and Stop, the state lamp and the pause line, and the banner with
// the movie strip over it. It shows values and state and reports the
// buttons; what they mean is the program's.
class MainForm : public QWidget
{
    Q_OBJECT
public:
    static constexpr quint32 LampStopped = 255;
    static constexpr quint32 LampRunning = 65280;
    // Amber: running, but paused (the words say until when).
    static constexpr quint32 LampPaused = 0x00A5FF;
    static inline const QString RunningText = QStringLiteral("البرنامج يعمل");
    static inline const QString StoppedText = QStringLiteral("البرنامج متوقف");

    MainForm(MessageBoxes &messages, QWidget *parent);

    void showValues(const Settings::Values &values);
    // What the boxes hold and the unit chosen, as the user left them.
    QString intervalText() const;
    QString durationText() const;
    TimeUnit unit() const;

    // Running locks the inputs; pause says until when (empty: no pause).
    void showState(bool running, const QString &pause);

    MovieStrip &strip() const { return *m_strip; }

Q_SIGNALS:
    void startClicked();
    void stopClicked();

private:
    void buildInputs();
    void buildRunFrame();
    void buildBanner();

    MessageBoxes &m_messages;
    QWidget *m_unitFrame = nullptr;
    QLineEdit *m_intervalBox = nullptr;
    QLineEdit *m_durationBox = nullptr;
    QRadioButton *m_seconds = nullptr;
    QRadioButton *m_minutes = nullptr;
    QRadioButton *m_hours = nullptr;
    TavrelButton *m_startButton = nullptr;
    Shape *m_lamp = nullptr;
    QLabel *m_pauseLine = nullptr;
    MovieStrip *m_strip = nullptr;
};
