#pragma once

#include "app/Program.h"
#include "core/cycle/ReminderCycle.h"
#include "core/fetch/Publisher.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>

class Announcer;
class Clock;
class MainForm;
class MainMenus;
class MessageBoxes;
class Platform;
class QDialog;
class QWidget;
class ReminderCard;
class TrayArea;

// The main window: it shows the settings and the cycle's state, reports
// Start, Stop and the menus' choices to the program, draws the cards the
// program hands it, and opens the other windows from its menus and the
// tray.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    static inline const QString Title = QStringLiteral(" Murel-الاصدار الثاني");
    static inline const QString IntervalMessage = QStringLiteral(" الأرقام يجب أن تكون بين 1 - 59 في وقت ظهور الشاشة ");
    static inline const QString DurationMessage = QStringLiteral(" الأرقام يجب أن تكون بين 3 - 59 في مدة بقاء الشاشة ");
    static inline const QString SecondCopyMessage = QStringLiteral("لا يمكنك تشغيل أكثر من نسخة من البرنامج");
    static inline const QString NoLockMessage =
        QStringLiteral("تعذّر على البرنامج إنشاء ملف القفل الذي يمنع تشغيل نسختين منه معاً، فلن يعمل.");
    static inline const QString NoChannelMessage = QStringLiteral(
        "تعذّر فتح قناة الاتصال بين نسخ البرنامج، فلن تصل إلى هذه النسخة أوامر سطر الأوامر ولا النسخ التي تُشغَّل بعدها.");
    static inline const QString SaveFailedMessage =
        QStringLiteral("تعذّر حفظ الإعدادات، وبقيت الإعدادات المحفوظة من قبل كما هي.");
    static inline const QString TrayText = QStringLiteral("برنامج Murel");
    // %1: the older folder, %2: the data folder.
    static inline const QString OlderFolderCopiedMessage =
        QStringLiteral("نُسخت إعدادات البرنامج وملفاته من مجلده القديم «%1» إلى «%2»، وبقي المجلد القديم كما هو.");
    static inline const QString LogonEntryKeptMessage = QStringLiteral(
        "ما زال البرنامج يبدأ مع دخول المستخدم: أضاف ذلك إصدار سابق لكل مستخدمي الجهاز، ولا يزيله إلا حساب مسؤول.");
    static inline const QString HoldNotSavedMessage =
        QStringLiteral("تعذّر حفظ خيارات «متى يظهر التذكير»، فستبقى حتى إغلاق البرنامج فقط.");

    MainWindow(Program &program, Platform &platform, MessageBoxes &messages, Clock &clock, QWidget *parent = nullptr);
    // A window with a program of its own.
    MainWindow(Platform &platform, MessageBoxes &messages, Clock &clock, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The start-up: the program's, then the window (shown on a first run,
    // else in the tray with the cycle started). False when another copy
    // already runs or no lock could be made at all (the user was told).
    bool load();

    Program &program() const { return m_program; }
    QString dataFolder() const { return m_program.dataFolder(); }
    QString settingsPath() const { return m_program.settingsPath(); }
    const Settings &settings() const { return m_program.settings(); }
    const ReminderCycle &cycle() const { return m_program.cycle(); }
    HoldGate &holdGate() const { return m_program.holdGate(); }

    // A reminder now, unless a card is already up (the run's first).
    void openReminder();
    // The open card, if any.
    ReminderCard *reminder() const;

    // What Start and Stop do.
    void start();
    void stop();

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

    // The announcements: the connection, the fetch and the movie strip.
    Announcer *announcer() const { return m_announcer; }

Q_SIGNALS:
    // Closing the main window, from wherever, ends the whole program.
    void programEnd();
    // A modal window is about to open from the menu (tests close it).
    void modalOpening(QDialog *window);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    MainWindow(std::unique_ptr<Program> own, Program *program, Platform &platform, MessageBoxes &messages, Clock &clock,
               QWidget *parent);
    void connectMenus();
    void buildAnnouncements();
    void autoStart();
    bool accepted(ReminderCycle::Verdict verdict);
    void tell(Program::Notice notice);
    void showCard(const CardContent &content);
    void closeCard();
    void runModal(QDialog &window);
    void openSettings();
    void openInstructions();
    void openAboutProgram();
    void openAboutAuthor();
    void openAdvertising();
    void openHoldWindow();
    void openTimesWindow();
    void holdNotSaved();
    void showState();

    std::unique_ptr<Program> m_ownProgram;
    Program &m_program;
    Platform &m_platform;
    MessageBoxes &m_messages;
    Clock &m_clock;
    bool m_holdNotSavedTold = false;
    QPointer<ReminderCard> m_card;
    Publisher m_publisher;
    Announcer *m_announcer = nullptr;
    bool m_ending = false;

    MainForm *m_form = nullptr;
    MainMenus *m_menus = nullptr;
    TrayArea *m_tray = nullptr;
};
