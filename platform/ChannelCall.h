#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// A later copy's end of the instance channel: connects to the running copy
// listening at name and writes request, each step within timeoutMs. When
// awaitAnswer, reads the answer until its line end, the running copy hangs
// up, or no byte came within timeoutMs. Nothing when no copy took the
// request; else the answer, empty when none was awaited or given.
std::optional<QByteArray> callChannel(const QString &name, const QByteArray &request, bool awaitAnswer, int timeoutMs);
