#pragma once

#include <QIcon>

// The program's icon, at 48 and 32 pixels; the tray uses the same.
QIcon programIcon();
