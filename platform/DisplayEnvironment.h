#pragma once

// Whether the way to the screen is named by the environment (DISPLAY,
// WAYLAND_DISPLAY, XDG_SESSION_TYPE), which the program then reads before
// the toolkit would abort on it. A system with one window system of its
// own has nothing to choose.
bool displayNamedByEnvironment();
