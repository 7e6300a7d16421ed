#pragma once

#include <QDialog>
#include <QPointer>

class MainWindowFields;
class BackgroundChooser;
class Label;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QTimer;
class TavrelButton;

// The settings dialog: the reminder font with a live preview, the default
// font back, the background chooser, and run at logon. It writes the main
// window's fields only on apply.
class SettingsDialog : public QDialog
{
    Q_OBJECT
public:
    // exec() result when the user asked for the background chooser.
    static constexpr int ChooseBackground = 2;
    // The run-at-logon box follows the main window's flag this long after
    // the dialog opens (Timer2).
    static constexpr int CheckDelayMs = 100;

    explicit SettingsDialog(MainWindowFields &form2, QWidget *parent = nullptr);
    ~SettingsDialog() override;

    // Shows the dialog modally until apply or cancel; while the background
    // chooser is open the dialog is out of sight, and it comes back with
    // the user's pending choices when the chooser closes.
    int run();

    // The chooser of this dialog's life, created when first asked for.
    BackgroundChooser &chooser();

    QGroupBox *Frame1 = nullptr;
    QCheckBox *Check1 = nullptr;
    QGroupBox *Frame2 = nullptr;
    Label *Label2 = nullptr;
    QComboBox *Combo2 = nullptr;
    Label *Label1 = nullptr;
    TavrelButton *TavrelButtonV21 = nullptr;
    Label *Label3 = nullptr;
    TavrelButton *TavrelButtonV22 = nullptr;
    TavrelButton *Command2 = nullptr;
    TavrelButton *Command1 = nullptr;
    QTimer *Timer2 = nullptr;

Q_SIGNALS:
    // The chooser is about to be shown (tests answer it).
    void chooserOpening(BackgroundChooser *chooser);

private:
    void followCombo(const QString &text);
    void restoreDefaultFont();
    void setCheckFromForm2();
    void apply();
    void unloadChooser();

    MainWindowFields &m_form2;
    // The chooser is the main window's child, which it stays over while this
    // dialog is out of sight; this dialog only ends it early.
    QPointer<BackgroundChooser> m_chooser;
};
