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
    // A button is one thing to a listener: the picture on its face (a
    // child widget, hidden when there is none) is part of it, not a child.
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

private:
    ButtonBase *button() const;
};

// For QAccessible::installFactory: the painted buttons' interface.
QAccessibleInterface *buttonAccessibleFactory(const QString &className, QObject *object);
