#include "controls/ButtonAccessible.h"

#include "controls/ButtonBase.h"

ButtonAccessible::ButtonAccessible(ButtonBase *button)
    : QAccessibleWidget(button, QAccessible::Button)
{
}

ButtonBase *ButtonAccessible::button() const
{
    return static_cast<ButtonBase *>(widget());
}

QString ButtonAccessible::text(QAccessible::Text t) const
{
    // Named by its caption, without the access key's marker and the
    // tatweel that only stretches the drawn word (a screen reader spells it
    // out), unless the window gave it a name of its own.
    if (t == QAccessible::Name && button()->accessibleName().isEmpty())
        return QString(button()->caption()).remove(QLatin1Char('&')).remove(QChar(0x0640));
    return QAccessibleWidget::text(t);
}

QAccessible::State ButtonAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.pressed = button()->drawState() == ButtonLook::Pressed;
    return s;
}

QStringList ButtonAccessible::actionNames() const
{
    // A press that would do nothing is not offered.
    if (!button()->keyboardClicks())
        return {};
    return {pressAction()};
}

void ButtonAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction())
        button()->click();
}

QAccessibleInterface *buttonAccessibleFactory(const QString &, QObject *object)
{
    if (auto *button = qobject_cast<ButtonBase *>(object))
        return new ButtonAccessible(button);
    return nullptr;
}
