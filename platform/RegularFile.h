#pragma once

class QFile;

// Opens file (its name already set) for reading only when it is a regular
// file, a symbolic link to one included. A FIFO, a device, a socket or a
// folder in its place counts as missing: opening a FIFO waits for a writer
// that never comes, and a device may never end.
bool openRegularFile(QFile &file);
