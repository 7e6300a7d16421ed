#include "core/settings/NumberKey.h"

KeyVerdict classifyNumberKey(int key, Qt::KeyboardModifiers modifiers, const QString &text)
{
    // Backspace alone deletes a digit. With Ctrl it types a control
    // character of its own (and would delete a whole word): refused like
    // the other control shortcuts.
    if (key == Qt::Key_Backspace) {
        if (modifiers & (Qt::ControlModifier | Qt::MetaModifier))
            return KeyVerdict::Reject;
        if (modifiers & Qt::AltModifier)
            return KeyVerdict::Swallow;
        return KeyVerdict::Accept;
    }
    if (key == Qt::Key_Delete || key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return KeyVerdict::Pass;
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape)
        return KeyVerdict::Reject;
    if (text.isEmpty())
        return KeyVerdict::Pass;
    if (modifiers & (Qt::ControlModifier | Qt::MetaModifier))
        return KeyVerdict::Reject;
    if (modifiers & Qt::AltModifier)
        return KeyVerdict::Swallow;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return KeyVerdict::Reject;
    }
    return KeyVerdict::Accept;
}
