#pragma once

#include <QAccessibleWidget>

class ButtonBase;

// What assistive technology sees of a painted button: a push button named
// by its caption, pressed while it looks pressed, with the press action.
class ButtonAccessible : public QAccessibleWidget
{
public:
    explicit ButtonAccessible(ButtonBase *button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

private:
    ButtonBase *button() const;
};

// For QAccessible::installFactory: the painted buttons' interface.
QAccessibleInterface *buttonAccessibleFactory(const QString &className, QObject *object);
