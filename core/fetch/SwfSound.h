#pragma once

#include <QByteArrayView>

class QIODevice;

// Whether a movie may make a sound: it holds sounds of its own, or
// ActionScript 3 code, which can make them up. A movie that cannot is
// played without an audio output, which would otherwise run all the
// time. Anything that cannot be read through is taken to have sound.

// unpacked: a movie's bytes after its header, unpacked.
bool swfTagsMayPlaySound(QByteArrayView unpacked);
// The movie file read from the device's current position.
bool swfMayPlaySound(QIODevice &movie);
