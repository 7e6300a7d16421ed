#pragma once

#include "core/hold/HoldSettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QSpinBox;
class QTimeEdit;
class QVBoxLayout;

// When the reminders wait: full-screen windows, the desktop's
// do-not-disturb, time away, the active hours and days, the monitor the
// card goes to, and its corner and size there. It changes and saves the hold settings only on OK; a
// pause set meanwhile from the tray stays as it is.
class HoldWindow : public QDialog
{
    Q_OBJECT
public:
    static inline const QString Title = QStringLiteral("متى يظهر التذكير");

    explicit HoldWindow(HoldSettings &settings, QWidget *parent = nullptr);

    // The values the controls show now.
    HoldSettings::Values shown() const;

    // The start's message when the file could not be used: that the
    // defaults hold, and where the file was kept or that it stays.
    static QString problemMessage(const HoldSettings &settings);

Q_SIGNALS:
    // OK was pressed but the file could not be written; the choices still
    // hold for this run.
    void notSaved();
    // The user chose a corner or a size: a card should show for a moment
    // as the controls say now (not yet saved).
    void previewRequested(const HoldSettings::Values &shown);

private:
    // The window's parts, top to bottom.
    void buildChoices(QVBoxLayout &layout);
    QGroupBox *buildActiveHours();
    void buildMonitorRow(QVBoxLayout &layout);
    void buildCardRow(QVBoxLayout &layout);
    void showValues(const HoldSettings::Values &v);
    void apply();
    void updateEnabled();
    // The minutes' noun agrees with their number: 2 دقيقتان, 5 دقائق.
    void showMinutesNoun(int minutes);

    HoldSettings &m_settings;
    QCheckBox *m_fullScreen = nullptr;
    QCheckBox *m_doNotDisturb = nullptr;
    QCheckBox *m_away = nullptr;
    QSpinBox *m_awayMinutes = nullptr;
    QGroupBox *m_activeHours = nullptr;
    QTimeEdit *m_hoursStart = nullptr;
    QTimeEdit *m_hoursEnd = nullptr;
    QList<QCheckBox *> m_days; // Monday first, as Qt counts them
    QComboBox *m_monitor = nullptr;
    QComboBox *m_corner = nullptr;
    QComboBox *m_size = nullptr;
};
