#pragma once

class QFont;

// The windows ask for Windows font families. Map them once to faces that
// exist here, a different face for each name the font box offers.
void registerFontSubstitutions();

// The face the windows are drawn with, also for menus, message boxes and
// tooltips.
QFont interfaceFont();
