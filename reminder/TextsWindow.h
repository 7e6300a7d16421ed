#pragma once

#include "core/texts/ReminderTexts.h"

#include <QDialog>
#include <QElapsedTimer>

#include <memory>

class Label;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QProgressDialog;
class QRadioButton;
class QVBoxLayout;
class Shape;
class TavrelButton;
class TextImport;

// The texts the cards show: the built-ins with their switches, the user's
// own texts (added, edited, removed, imported, exported), a search that
// ignores the diacritics, the order, and a preview of the card. It changes
// and saves the texts only on OK. A long import goes on a slice at a time
// from the event loop, with its progress shown and a way to stop it.
class TextsWindow : public QDialog
{
    Q_OBJECT
public:
    static inline const QString Title = QStringLiteral("نصوص التذكير");
    static inline const QString LastOnMessage =
        QStringLiteral("يبقى نص واحد على الأقل في التذكير، فلا يمكن إيقاف آخر نص.");
    static inline const QString DuplicateMessage = QStringLiteral("هذا النص موجود بين نصوصك.");
    static inline const QString NotSavedMessage =
        QStringLiteral("تعذّر حفظ النصوص في ملفها، فستبقى كما اخترتها حتى إغلاق البرنامج فقط.");
    static inline const QString LimitMessage =
        QStringLiteral("بلغت نصوصك الحد الأعلى، %1 نص، فلا يُضاف إليها غيرها.").arg(ReminderTexts::OwnLimit);
    // line: of the editor's text, from 1.
    static QString controlMessage(int line);

    // family and background are those the card would use now (the
    // settings dialog's choice, applied or not yet).
    TextsWindow(ReminderTexts &texts, const QString &family, int background, QWidget *parent = nullptr);
    ~TextsWindow() override;

    // What the controls show now, as the texts would be saved.
    ReminderTexts::Values shown() const;

    // The import and export without their file dialogs. The import reads
    // the file at once and takes its texts a slice at a time; it says in
    // the window what it took and what it left, and then reports
    // importFinished. One import at a time: another is not started meanwhile.
    void importFile(const QString &path);
    bool exportFile(const QString &path);
    bool importing() const { return m_import != nullptr; }

    // What a damaged or unreadable file of texts gave at start, to be told once.
    static QString problemMessage(const ReminderTexts &texts);

Q_SIGNALS:
    void importFinished();

private:
    // The window's parts, top to bottom and right to left; each adds its
    // controls to readingOrder in the order they are read.
    void buildBuiltInList(QVBoxLayout &lists, QWidgetList &readingOrder);
    void buildOwnList(QVBoxLayout &lists, QWidgetList &readingOrder);
    void buildSide(QHBoxLayout &columns, int background, QWidgetList &readingOrder);
    void buildPreview(QWidget *preview, int background);
    void connectLists();
    void showValues(const ReminderTexts::Values &v);
    QListWidgetItem *addOwnItem(const QString &text, bool on);
    void itemSwitched(QListWidgetItem *item);
    int onCount() const;
    void filter(const QString &query);
    void preview(const QString &text);
    void editorChanged();
    // The editor's text when the card can show it and it is new; empty
    // (with the reason said) otherwise.
    QString acceptable(QListWidgetItem *replacing);
    void addText();
    void replaceText();
    void removeText();
    void allOn();
    void restore();
    void importSlice();
    void finishImport(bool stopped);
    void chooseImport();
    void chooseExport();
    void say(const QString &message);
    void apply();

    ReminderTexts &m_texts;
    QString m_family;
    QLineEdit *m_search = nullptr;
    QListWidget *m_builtIns = nullptr;
    QListWidget *m_own = nullptr;
    QPlainTextEdit *m_editor = nullptr;
    TavrelButton *m_add = nullptr;
    TavrelButton *m_replace = nullptr;
    TavrelButton *m_remove = nullptr;
    QRadioButton *m_random = nullptr;
    QRadioButton *m_eachOnce = nullptr;
    Label *m_previewText = nullptr;
    QLabel *m_notice = nullptr;
    bool m_quiet = false;
    bool m_toldNotSaved = false;
    std::unique_ptr<TextImport> m_import;
    QProgressDialog *m_progress = nullptr;
    QElapsedTimer m_importClock;
};
