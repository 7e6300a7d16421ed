#pragma once

#include <QAccessibleWidget>

class ReminderCard;

// What assistive technology sees of the reminder card: a notification
// named by the text it shows. A screen reader speaks a notification by
// itself when it appears, without the window taking the focus; a plain
// panel that merely shows up would pass unnoticed.
class CardAccessible : public QAccessibleWidget
{
public:
    explicit CardAccessible(ReminderCard *card);

    QString text(QAccessible::Text t) const override;
};

// For QAccessible::installFactory: the reminder card's interface.
QAccessibleInterface *cardAccessibleFactory(const QString &className, QObject *object);
