#pragma once

// The windows ask for Windows font families. Map them once to faces that
// exist here: Arabic in a Naskh face, Latin in a matching sans or serif.
void registerFontSubstitutions();
