#pragma once

#include <QAccessibleWidget>

class QComboBox;

// A choice box as a screen reader should read it: its caption as its name
// and the chosen item as its value. Qt's own interface on Linux names the
// box by the chosen item and leaves the caption to a label beside it, so
// the accessible name set on the box is never read and a reader that speaks
// name and value says the item twice or the caption without the item.
class ChoiceAccessible : public QAccessibleWidget
{
public:
    explicit ChoiceAccessible(QComboBox *box);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

private:
    QComboBox *box() const;
};

// Marks a choice box so that it is read this way (its accessible name is
// the caption), and keeps its chosen item selected in its list. Before its
// first item: choosing one already makes Qt build the box's interface.
void readAsCaptionAndChoice(QComboBox &box);

// For QAccessible::installFactory: the marked boxes' interface.
QAccessibleInterface *choiceAccessibleFactory(const QString &className, QObject *object);
