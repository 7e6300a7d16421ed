#pragma once

#include <QStringView>

// Whether one of the toolkit's platform plugins (the ways to a display:
// xcb, wayland, ...) is installed. Answered before the application object
// exists: the toolkit aborts when the plugin it is asked for is missing,
// so the program has to ask first.
bool platformPluginInstalled(QStringView name);
