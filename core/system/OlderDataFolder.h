#pragma once

#include <QString>
#include <QStringList>

// Older versions kept their files in a folder a standard user may not write
// (or that Windows quietly redirected to a per-user copy). The first start
// with a data folder that holds none of the program's own files copies the
// first older folder that has a settings record into it, once; the older
// folder stays as it was.
namespace OlderDataFolder {

// The files that show a data folder is in use: with any of them present,
// nothing is copied over it.
QStringList ownFiles();

// Copies candidates' first folder with a record into target, every file and
// sub-folder but the lock, the record last (so that a copy cut short is
// taken up again at the next start and never counts as done). Returns the
// folder copied from, or empty when nothing was copied. A file already in
// target is kept.
QString copyInto(const QString &target, const QStringList &candidates);

} // namespace OlderDataFolder
