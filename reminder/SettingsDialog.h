#pragma once

#include <QDialog>
#include <QPointer>

class BackgroundChooser;
class Label;
class Platform;
class QCheckBox;
class QComboBox;
class ReminderTexts;
class Settings;
class SoundSettings;
class TavrelButton;

// The settings dialog: the reminder font with a live preview, the default
// font back, the background chooser, and run at logon. It changes the
// settings only on apply.
class SettingsDialog : public QDialog
{
    Q_OBJECT
public:
    // exec() result when the user asked for the background chooser.
    static constexpr int ChooseBackground = 2;

    // The chooser is parented to chooserParent (the main window), which it
    // stays over while this dialog is out of sight. With texts, the dialog
    // also opens the texts window on them, with sound the sound window.
    SettingsDialog(Settings &settings, Platform &platform, QWidget &chooserParent, ReminderTexts *texts = nullptr,
                   SoundSettings *sound = nullptr);
    ~SettingsDialog() override;

    // Shows the dialog modally until apply or cancel; while the background
    // chooser is open the dialog is out of sight, and it comes back with
    // the user's pending choices when the chooser closes.
    int run();

    // The program is ending: the dialog and the chooser close without
    // applying, and run() returns without showing the dialog again.
    void endForProgramExit();

    // The chooser of this dialog's life, created when first asked for.
    BackgroundChooser &chooser();

Q_SIGNALS:
    // The chooser is about to be shown (tests answer it).
    void chooserOpening(BackgroundChooser *chooser);
    // The user unticked run at logon, but an entry this user may not
    // remove still starts the program.
    void logonEntryKept();

private:
    // The display options' frame, and in it the font's part.
    void buildDisplayFrame();
    void buildFontChoice(QWidget &displayFrame);
    void followCombo(const QString &text);
    void restoreDefaultFont();
    void apply();
    void unloadChooser();
    void openTexts();
    void openSound();

    Settings &m_settings;
    Platform &m_platform;
    QWidget &m_chooserParent;
    ReminderTexts *m_texts = nullptr;
    SoundSettings *m_sound = nullptr;
    QCheckBox *m_runAtLogon = nullptr;
    QComboBox *m_fontName = nullptr;
    Label *m_preview = nullptr;
    QPointer<BackgroundChooser> m_chooser;
    bool m_programEnding = false;
};
