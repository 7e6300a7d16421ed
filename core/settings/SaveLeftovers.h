#pragma once

#include <QString>
#include <QStringList>

// A file is written through a temporary beside it that the finished write
// renames over it (see SaveFile). A copy killed in the middle of a write
// leaves that temporary behind for good; these find and remove such
// leftovers of the program's own files, and nothing else: a name the user
// gave, however much it looks like one ("background.txt.backup"), stays.

// Whether fileName is a temporary of one of names.
bool isSaveLeftover(const QString &fileName, const QStringList &names);

// Removes the plain files in folder that are temporaries of names. Only
// ever called while this copy holds the instance lock, so no other copy is
// in the middle of writing them.
void removeSaveLeftovers(const QString &folder, const QStringList &names);
