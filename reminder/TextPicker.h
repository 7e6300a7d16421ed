#pragma once

#include "core/texts/TextRound.h"

#include <QList>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class ReminderTexts;
class TavrelButton;

// The texts a reminder can be given, to pick from: the built-ins and the
// user's own as they are now (a text the user deleted is not offered),
// with the texts window's search, which ignores the diacritics. Several
// rows may be picked at once; they are handed on in the list's order.
class TextPicker : public QWidget
{
    Q_OBJECT
public:
    explicit TextPicker(const ReminderTexts &texts, QWidget *parent = nullptr);

    // A list row shows a text on one line of its own.
    static QString rowText(const QString &text);

    // The controls in the order they are read, for the window's tab order.
    QWidgetList readingOrder() const;

Q_SIGNALS:
    void picked(const QList<TextKey> &keys);

private:
    void addRow(const QString &text, const TextKey &key);
    void filter(const QString &query);
    void pickSelected();

    QLineEdit *m_search = nullptr;
    QListWidget *m_list = nullptr;
    TavrelButton *m_pick = nullptr;
};
