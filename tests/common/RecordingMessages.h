#pragma once

#include "app/MessageBoxes.h"

#include <QStringList>

// Records the messages a window would show instead of blocking on them.
class RecordingMessages final : public MessageBoxes
{
public:
    void inform(QWidget *, const QString &text) override { informed.append(text); }
    void warnInvalid(QWidget *, const QString &text) override { warned.append(text); }

    int count() const { return int(informed.size() + warned.size()); }
    void clear()
    {
        informed.clear();
        warned.clear();
    }

    QStringList informed;
    QStringList warned;
};
