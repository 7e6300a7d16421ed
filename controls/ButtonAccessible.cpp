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

QAccessible::State ButtonAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.pressed = button()->drawState() == ButtonLook::Pressed;
    return s;
}

QStringList ButtonAccessible::actionNames() const
{
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
