#pragma once

#include <QDialog>
#include <array>

class MainWindowFields;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTimer;
class Shape;
class TavrelButton;

// The background chooser: six options, a preview of the picture at its
// natural size, and apply writing the choice into the main window's Text5.
class BackgroundChooser : public QDialog
{
    Q_OBJECT
public:
    // The preview follows a click on an option this long after (Timer1).
    static constexpr int PreviewDelayMs = 100;

    explicit BackgroundChooser(MainWindowFields &form2, QWidget *parent = nullptr);

    // The selected option's number, 0 when none is.
    int selected() const;

    QLabel *Picture1 = nullptr;
    Shape *Shape1 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QRadioButton *Option1 = nullptr;
    QRadioButton *Option2 = nullptr;
    QRadioButton *Option3 = nullptr;
    QRadioButton *Option4 = nullptr;
    QRadioButton *Option5 = nullptr;
    QRadioButton *Option6 = nullptr;
    TavrelButton *Command1 = nullptr;
    TavrelButton *Command2 = nullptr;
    QLineEdit *Text1 = nullptr;
    QTimer *Timer1 = nullptr;

private:
    void optionClicked(int number);
    void preview();
    void apply();

    MainWindowFields &m_form2;
    std::array<QRadioButton *, 6> m_options{};
};
