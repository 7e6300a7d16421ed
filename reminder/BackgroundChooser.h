#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QRadioButton;
class QTimer;
class Settings;
class Shape;

// The background chooser: six options, a preview of the picture at its
// natural size, and apply making the choice the settings' background.
class BackgroundChooser : public QDialog
{
    Q_OBJECT
public:
    // The preview follows a click on an option this long after.
    static constexpr int PreviewDelayMs = 100;

    BackgroundChooser(Settings &settings, QWidget *parent = nullptr);

    // The selected option's number, 0 when none is.
    int selected() const;

private:
    void preview();
    void apply();

    Settings &m_settings;
    QLabel *m_picture = nullptr;
    Shape *m_frame = nullptr;
    QTimer *m_previewDelay = nullptr;
    std::array<QRadioButton *, 6> m_options{};
};
