#include "core/system/DisplayChoice.h"

#include <QList>

namespace {

// The user's QT_QPA_PLATFORM names Wayland alone ("wayland",
// "wayland-egl", with or without ":options"); a list such as
// "wayland;xcb" leaves the toolkit another way out.
bool userChoseWaylandOnly(const QByteArray &userPlatform)
{
    if (userPlatform.contains(';'))
        return false;
    return userPlatform.split(':').first().trimmed().startsWith("wayland");
}

} // namespace

DisplayChoice chooseDisplay(const QByteArray &sessionType, const QByteArray &waylandDisplay,
                            const QByteArray &x11Display, const QByteArray &userPlatform, bool waylandPluginInstalled)
{
    DisplayChoice choice;
    if (!userPlatform.isEmpty()) {
        choice.waylandMissing = userChoseWaylandOnly(userPlatform) && !waylandPluginInstalled;
        choice.noDisplay = userPlatform.split(':').first().trimmed() == "xcb" && x11Display.isEmpty();
        return choice;
    }
    if (waylandDisplay.isEmpty() && x11Display.isEmpty()) {
        choice.noDisplay = true;
        return choice;
    }
    const bool wayland = sessionType.trimmed().toLower() == "wayland" || !waylandDisplay.isEmpty();
    if (!wayland)
        return choice;
    if (!x11Display.isEmpty())
        choice.useX11 = true;
    else if (waylandPluginInstalled)
        choice.warnWayland = true;
    else
        choice.waylandMissing = true;
    return choice;
}
