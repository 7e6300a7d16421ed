#pragma once

#include <QString>

// Gives a new control its object name (the one tests and scripts find it
// by) and, when there is one, the name a screen reader says; returns the
// control so that it can be named where it is made. Menus' actions take it
// too; they have no accessible name of their own.
template <typename W> W *named(W *widget, const char *name, const QString &accessibleName = QString())
{
    widget->setObjectName(QString::fromLatin1(name));
    if constexpr (requires { widget->setAccessibleName(accessibleName); }) {
        if (!accessibleName.isEmpty())
            widget->setAccessibleName(accessibleName);
    }
    return widget;
}
