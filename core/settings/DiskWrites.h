#pragma once

class QFile;
class QString;

// The two steps of a safe save that each system spells its own way.

// Pushes what was written to file (open for writing) down to the disk;
// false when the system reports it could not.
bool syncFileToDisk(QFile &file);

// Puts the file at from in the place of the one at to in one step: a reader
// sees either the old file or the new one. Leaves both alone on failure.
bool replaceFile(const QString &from, const QString &to);
