#pragma once

#include <QString>
#include <Qt>

enum class KeyVerdict {
    Accept,  // typed into the box
    Pass,    // not a typed character (arrows, Delete, Tab): the box handles it
    Swallow, // dropped without a word (Alt combinations)
    Reject,  // dropped with the "Invalid" warning
};

// Only digits and backspace may be typed into the number boxes; any other
// character, Enter and control shortcuts among them, is refused.
KeyVerdict classifyNumberKey(int key, Qt::KeyboardModifiers modifiers, const QString &text);
