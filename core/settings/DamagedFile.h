#pragma once

#include <QString>

// Moves a file the program could not use out of the way of the next save,
// to the first free "<path>.damaged-<n>", so that what the user had in it
// survives. Returns the name it now has; empty when it could not be moved
// (it is then still at path).
QString setDamagedFileAside(const QString &path);
