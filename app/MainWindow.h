#pragma once

#include "core/Publisher.h"
#include "platform/InstanceLock.h"
#include "reminder/MainWindowFields.h"

#include <QMainWindow>
#include <QPointer>

class Clock;
class Announcer;
class ReminderCard;
class MovieStrip;
class QAction;
class QMenu;
class TrayArea;
class ExtraTimer;
class MessageBoxes;
class Platform;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTimer;
class Shape;
class TavrelButton;
struct SettingsRecord;

// The main window and the program's controller. Its fields are the
// program's only settings store: the other windows read and write them.
class MainWindow : public QMainWindow, public MainWindowFields
{
    Q_OBJECT
public:
    static inline const QString Title = QStringLiteral(" Murel-الاصدار الثاني");
    static inline const QString IntervalMessage = QStringLiteral(" الأرقام يجب أن تكون بين 1 - 59 في وقت ظهور الشاشة ");
    static inline const QString DurationMessage = QStringLiteral(" الأرقام يجب أن تكون بين 3 - 59 في مدة بقاء الشاشة ");
    static inline const QString SecondCopyMessage = QStringLiteral("لا يمكنك تشغيل أكثر من نسخة من البرنامج");
    static constexpr quint32 LampStopped = 255;
    static constexpr quint32 LampRunning = 65280;
    static inline const QString RunningText = QStringLiteral("البرنامج يعمل");
    static inline const QString StoppedText = QStringLiteral("البرنامج متوقف");
    // Timer periods: empty fields are filled once after start-up (Timer2).
    static constexpr int FillDefaultsMs = 1000;

    MainWindow(Platform &platform, MessageBoxes &messages, Clock &clock, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The start-up: false when another copy already runs (after telling the
    // user), in which case nothing was created or read.
    bool load();

    QString dataFolder() const { return m_dataFolder; }
    QString settingsPath() const;
    QWidget &mainWindow() override { return *this; }
    Clock &clock() const override { return m_clock; }
    Platform &platform() const override { return m_platform; }

    // Loads a fresh reminder card and shows it (the run's first reminder,
    // and each one the interval timer raises), unless one is already up.
    // The open card, if any.
    void openReminder();
    ReminderCard *reminder() const;

    void start();
    void stop();
    void autoStart();

    // Put the window away into the notification area, and bring it back.
    // Without a notification area the window is minimised instead, so it
    // always stays within reach.
    void hideToTray();
    void restore();
    // Ends the program, taking an open reminder card with it. Once asked,
    // the end stands: ending() tells a caller that has not yet entered
    // the event loop.
    void exitProgram();
    bool ending() const { return m_ending; }

    // Where the advertising item and the about window's link lead.
    const Publisher &publisher() const { return m_publisher; }
    void setPublisher(const Publisher &publisher);
    // Option buttons of one group: switching one on switches the others off;
    // all three may be off until start-up repairs it.
    void setOption(QRadioButton *option, bool on);

    // Controls shared with the other windows (Text2, Text4, Text5, Text6
    // and Timer1 come with MainWindowFields).
    QGroupBox *Frame1 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QGroupBox *Frame3 = nullptr;
    QGroupBox *Frame4 = nullptr;
    QLineEdit *Text1 = nullptr;
    QRadioButton *Option1 = nullptr;
    QRadioButton *Option2 = nullptr;
    QRadioButton *Option3 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label10 = nullptr;
    TavrelButton *Command1 = nullptr;
    TavrelButton *Command2 = nullptr;
    Shape *Shape1 = nullptr;
    QTimer *Timer2 = nullptr;
    TrayArea *TA1 = nullptr;

    // Announcements: the banner and the movie strip over it; the
    // announcer runs the strip.
    QLabel *Image1 = nullptr;
    MovieStrip *SF1 = nullptr;
    Announcer *announcer() const { return m_announcer; }

    // Menus; tary is never on the bar: it pops up from the tray icon.
    QMenu *File = nullptr;
    QAction *exit = nullptr;
    QMenu *op = nullptr;
    QAction *Setting = nullptr;
    QMenu *help = nullptr;
    QAction *InstructionM = nullptr;
    QAction *AboutPro = nullptr;
    QAction *AboutME = nullptr;
    QAction *adv = nullptr;
    QAction *Minimize = nullptr;
    QMenu *tary = nullptr;
    QAction *exit2 = nullptr;
    QAction *Max = nullptr;

Q_SIGNALS:
    // Closing the main window, from wherever, ends the whole program.
    void programEnd();
    // A modal window is about to open from the menu (tests close it).
    void modalOpening(QDialog *window);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void buildAnnouncements(QWidget *client);
    void buildMenus();
    void readRecord();
    SettingsRecord currentRecord() const;
    void applyTimeUnit();
    bool validate();
    void setRunning(bool running);
    void setLamp(quint32 color);
    void fillDefaults();
    void showReminder();
    void runModal(QDialog &window);
    void openSettings();
    void openInstructions();
    void openAboutProgram();
    void openAboutAuthor();
    void openAdvertising();
    void trayMouse(int button);

    Platform &m_platform;
    MessageBoxes &m_messages;
    Clock &m_clock;
    QString m_dataFolder;
    InstanceLock m_instanceLock;
    QPointer<ReminderCard> m_form1;
    Publisher m_publisher;
    Announcer *m_announcer = nullptr;
    bool m_ending = false;
};
