#include "core/DisplayChoice.h"

DisplayChoice chooseDisplay(const QByteArray &sessionType, const QByteArray &waylandDisplay,
                            const QByteArray &x11Display, const QByteArray &userPlatform)
{
    DisplayChoice choice;
    const bool wayland = sessionType.trimmed().toLower() == "wayland" || !waylandDisplay.isEmpty();
    if (!wayland)
        return choice;
    if (!userPlatform.isEmpty())
        return choice;
    if (!x11Display.isEmpty())
        choice.useX11 = true;
    else
        choice.warnWayland = true;
    return choice;
}
