#pragma once

#include <QAccessibleWidget>

class QDateTimeEdit;
class QLineEdit;

// A time box as a screen reader should read it: its name once and the time
// it shows as its value and text. Qt reads a time box as a spin box whose
// number is the "value" property a time box does not have, so the reader
// says 0.0, and gives the line typed into no text of its own; this
// interface has no number and reads the line's text, caret and selection.
class TimeEditAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit TimeEditAccessible(QDateTimeEdit *edit);

    QString text(QAccessible::Text t) const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

private:
    QDateTimeEdit *edit() const;
    QLineEdit *line() const;
};

// For QAccessible::installFactory: every time and date box's interface.
QAccessibleInterface *timeEditAccessibleFactory(const QString &className, QObject *object);
