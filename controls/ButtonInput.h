#pragma once

#include <Qt>

// Mouse and key values as the button controls report them to their holder:
// buttons 1 left, 2 right, 4 middle; shift 1, control 2, alt 4; key codes of
// the classic virtual-key table (Enter 13, Space 32, letters upper case).
namespace MouseCode {
inline constexpr int Left = 1;
inline constexpr int Right = 2;
inline constexpr int Middle = 4;
} // namespace MouseCode

int buttonMask(Qt::MouseButtons buttons);
int shiftMask(Qt::KeyboardModifiers modifiers);
int keyCodeFor(int qtKey);
