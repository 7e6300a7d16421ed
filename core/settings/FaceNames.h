#pragma once

#include <QString>

// The face the windows, the card and the settings dialog ask for by
// default. No such face exists here: Fonts maps it to an installed one, so
// the name stays what the settings record has always held.
inline const QString SansSerifFace = QStringLiteral("MS Sans Serif");
