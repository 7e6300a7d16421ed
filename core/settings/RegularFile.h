#pragma once

class QFile;
class QString;

// Opens file (its name already set) for reading only when it is a regular
// file, a symbolic link to one included. A FIFO, a device, a socket or a
// folder in its place counts as missing: opening a FIFO waits for a writer
// that never comes, and a device may never end.
bool openRegularFile(QFile &file);

// Makes way for writing a plain file at path: a FIFO, device or socket
// there, or any symbolic link, is removed (the entry itself, never what a
// link leads to), so that the write can reach nothing but this entry.
// False when a folder stands there.
bool clearForRegularFile(const QString &path);
