#pragma once

#include <QCursor>
#include <QPixmap>
#include <optional>

// The stored pointer numbers of the button controls (0 = whatever the holder
// uses, 99 = the control's own picture) as cursors. No value: inherit.
std::optional<QCursor> cursorForMousePointer(qint16 pointer, const QPixmap &mouseIcon);
