#include "reminder/CardAccessible.h"

#include "reminder/ReminderCard.h"

CardAccessible::CardAccessible(ReminderCard *card)
    : QAccessibleWidget(card, QAccessible::Notification)
{
}

QString CardAccessible::text(QAccessible::Text t) const
{
    // Read out after the text: what the card is, for a listener who did
    // not see it come up.
    if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty())
        return QStringLiteral("تذكير");
    return QAccessibleWidget::text(t);
}

QAccessibleInterface *cardAccessibleFactory(const QString &, QObject *object)
{
    if (auto *card = qobject_cast<ReminderCard *>(object))
        return new CardAccessible(card);
    return nullptr;
}
