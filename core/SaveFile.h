#pragma once

#include <QByteArray>
#include <QString>

// Writes bytes as the whole new content of the file at path, or leaves the
// file as it was: a reader never sees it half-written. False on failure.
bool saveFile(const QString &path, const QByteArray &bytes);
