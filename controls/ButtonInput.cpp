#include "controls/ButtonInput.h"

int buttonMask(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? MouseCode::Left : 0) | (buttons & Qt::RightButton ? MouseCode::Right : 0)
        | (buttons & Qt::MiddleButton ? MouseCode::Middle : 0);
}

int shiftMask(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
        | (modifiers & Qt::AltModifier ? 4 : 0);
}

int keyCodeFor(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Space: return 32;
    default: break;
    }
    // Letters and digits already carry their upper-case character code.
    return qtKey;
}
