#pragma once

#include <QString>

// A folder of this user's alone where copies of the program meet whatever
// their environment's temporary folder: the session's runtime folder when
// there is one, else a fixed per-user place. Empty when none is safe to
// use (one another user could have made or could write into).
QString userRuntimeFolder();
