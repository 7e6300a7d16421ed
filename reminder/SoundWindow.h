#pragma once

#include "core/sound/SoundSettings.h"

#include <QDialog>

class Platform;
class QCheckBox;
class QLabel;
class QRadioButton;
class QSlider;

// The window "الصوت": no sound, the program's chime or a WAV file of the
// user's, the volume, a trial that plays at once, and whether to keep quiet
// while another program plays audio. It changes the settings (and saves
// them) only on OK.
class SoundWindow : public QDialog
{
    Q_OBJECT
public:
    static inline const QString Title = QStringLiteral("الصوت");

    SoundWindow(SoundSettings &settings, Platform &platform, QWidget *parent = nullptr);

    // What the window shows now, as settings.
    SoundSettings::Values shown() const;
    // Takes path as the user's file when it can be played; otherwise says
    // why in a message and keeps what was chosen before.
    bool takeFile(const QString &path);

    // Why a file cannot be played, in the user's words; empty when it can.
    static QString fileMessage(const QString &path);
    // What the start says when sound.ini could not be read.
    static QString problemMessage(const SoundSettings &settings);

private:
    void showValues(const SoundSettings::Values &values);
    void chooseFile();
    void tryOut();
    void apply();
    void showVolume(int volume);

    SoundSettings &m_settings;
    Platform &m_platform;
    QString m_file;
    QRadioButton *m_none = nullptr;
    QRadioButton *m_chime = nullptr;
    QRadioButton *m_fromFile = nullptr;
    QLabel *m_fileName = nullptr;
    QSlider *m_volume = nullptr;
    QLabel *m_volumeValue = nullptr;
    QCheckBox *m_avoidClash = nullptr;
};
