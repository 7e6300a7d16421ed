#pragma once

#include "core/times/TimesSettings.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QTimeEdit;
class QVBoxLayout;
class ReminderTexts;
class TavrelButton;
class TextPicker;

// The reminders at set times of day: each one's name, time, days, switch,
// whether its cards stay until closed, and its texts in the order they
// come, picked from the built-ins and the user's own. The window edits a
// copy and writes it only on OK; what the program records meanwhile (the
// day a reminder last came) is kept as the program left it.
class TimesWindow : public QDialog
{
    Q_OBJECT
public:
    static inline const QString Title = QStringLiteral("أوقات الأذكار");
    static inline const QString NotSavedMessage =
        QStringLiteral("تعذّر حفظ أوقات الأذكار في ملفها، فستبقى كما اخترتها حتى إغلاق البرنامج فقط.");
    // A reminder named by nobody is still named in its list.
    static inline const QString Unnamed = QStringLiteral("تذكير بلا اسم");

    TimesWindow(TimesSettings &times, const ReminderTexts &texts, QWidget *parent = nullptr);

    // The values as OK would write them.
    TimesSettings::Values shown() const;

    // The start's message when the file could not be used: that the ready
    // reminders hold, and where the file was kept or that it stays.
    static QString problemMessage(const TimesSettings &times);

Q_SIGNALS:
    // OK was pressed but the file could not be written; the choices still
    // hold for this run.
    void notSaved();

private:
    // An entry as edited here, and which of the file's entries it was
    // (-1 for one added here), to take that one's last day when written.
    struct Row
    {
        TimedReminder entry;
        int origin = -1;
    };

    // The window's parts, top to bottom and right to left; each adds its
    // controls to readingOrder in the order they are read.
    void buildEntryList(QVBoxLayout &layout, QWidgetList &readingOrder);
    QWidget *buildEntryFields(QWidgetList &readingOrder);
    QWidget *buildEntryTexts(QWidgetList &readingOrder);
    void showEntry(int row);
    void fieldsEdited();
    void entryTextsEdited();
    QString entryRowText(const TimedReminder &entry) const;
    QString textRowText(const TextKey &key) const;
    void addEntry();
    void removeEntry();
    void addTexts(const QList<TextKey> &keys);
    void moveText(int by);
    void removeText();
    void updateNote();
    void apply();

    TimesSettings &m_times;
    const ReminderTexts &m_texts;
    QList<Row> m_rows;
    int m_current = -1;
    bool m_quiet = false;

    QListWidget *m_entries = nullptr;
    TavrelButton *m_removeEntry = nullptr;
    QGroupBox *m_entry = nullptr;
    QLineEdit *m_name = nullptr;
    QTimeEdit *m_time = nullptr;
    QList<QCheckBox *> m_days; // Monday first, as Qt counts them
    QCheckBox *m_on = nullptr;
    QCheckBox *m_untilClosed = nullptr;
    QGroupBox *m_textsFrame = nullptr;
    QListWidget *m_entryTexts = nullptr;
    TextPicker *m_picker = nullptr;
    QLabel *m_note = nullptr;
};
