#include "reminder/TimeEditAccessible.h"

#include <QDateTimeEdit>
#include <QFontMetrics>
#include <QLineEdit>

TimeEditAccessible::TimeEditAccessible(QDateTimeEdit *edit)
    : QAccessibleWidget(edit, QAccessible::SpinBox)
{
}

QDateTimeEdit *TimeEditAccessible::edit() const
{
    return static_cast<QDateTimeEdit *>(widget());
}

// The box always has its line; it is a child widget Qt lists to nobody.
QLineEdit *TimeEditAccessible::line() const
{
    return edit()->findChild<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly);
}

QString TimeEditAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return edit()->text();
    return QAccessibleWidget::text(t);
}

void *TimeEditAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface && line())
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

void TimeEditAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0 && line()->hasSelectedText()) {
        *startOffset = line()->selectionStart();
        *endOffset = line()->selectionEnd();
    }
}

int TimeEditAccessible::selectionCount() const
{
    return line()->hasSelectedText() ? 1 : 0;
}

void TimeEditAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void TimeEditAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        line()->deselect();
}

void TimeEditAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        line()->setSelection(startOffset, endOffset - startOffset);
}

int TimeEditAccessible::cursorPosition() const
{
    return line()->cursorPosition();
}

void TimeEditAccessible::setCursorPosition(int position)
{
    line()->setCursorPosition(position);
}

QString TimeEditAccessible::text(int startOffset, int endOffset) const
{
    return line()->text().mid(startOffset, endOffset - startOffset);
}

int TimeEditAccessible::characterCount() const
{
    return int(line()->text().size());
}

QRect TimeEditAccessible::characterRect(int offset) const
{
    const QString shown = line()->text();
    if (offset < 0 || offset >= shown.size())
        return {};
    // Measured from the caret, left to right as the time is laid out.
    const QFontMetrics metrics(line()->font());
    const QRect caret = line()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const int x = caret.x() + metrics.horizontalAdvance(shown.left(offset))
        - metrics.horizontalAdvance(shown.left(line()->cursorPosition()));
    return QRect(line()->mapToGlobal(QPoint(x, caret.top())),
                 QSize(metrics.horizontalAdvance(shown.at(offset)), caret.height()));
}

int TimeEditAccessible::offsetAtPoint(const QPoint &point) const
{
    return line()->cursorPositionAt(line()->mapFromGlobal(point));
}

void TimeEditAccessible::scrollToSubstring(int, int)
{
    // A time fits its box: there is nothing to scroll.
}

QString TimeEditAccessible::attributes(int, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

QAccessibleInterface *timeEditAccessibleFactory(const QString &, QObject *object)
{
    if (auto *edit = qobject_cast<QDateTimeEdit *>(object))
        return new TimeEditAccessible(edit);
    return nullptr;
}
