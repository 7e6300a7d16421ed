#pragma once

#include <QObject>
#include <QString>
#include <QTest>

// A window's part by the object name the window gives it. A missing part
// ends the test at once: every check after it would be meaningless.
template <typename T> T *child(const QObject &parent, const char *name)
{
    T *found = parent.findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("%s has no %s named %s", qPrintable(parent.objectName()), T::staticMetaObject.className(), name);
    return found;
}
