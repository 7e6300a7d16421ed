#pragma once

#include <QString>

// The program's soft chime, a WAV file beside the pictures: in "sounds"
// beside the executable in the build tree, share/murel/sounds once
// installed. Empty when it is not installed.
QString chimeFile();
