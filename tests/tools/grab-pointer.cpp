// Asks the X server for an active pointer grab, as a menu or a screen locker
// does, and says whether it was granted: exit 0 when it was, 1 when another
// client holds the pointer, 2 without a display.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>

int main()
{
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (!c || xcb_connection_has_error(c)) {
        std::fprintf(stderr, "no display\n");
        return 2;
    }
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const auto cookie = xcb_grab_pointer(c, 0, screen->root, XCB_EVENT_MASK_BUTTON_PRESS, XCB_GRAB_MODE_ASYNC,
                                         XCB_GRAB_MODE_ASYNC, XCB_NONE, XCB_NONE, XCB_CURRENT_TIME);
    xcb_grab_pointer_reply_t *reply = xcb_grab_pointer_reply(c, cookie, nullptr);
    const int status = reply ? reply->status : -1;
    std::free(reply);
    std::printf("grab status %d\n", status);
    xcb_ungrab_pointer(c, XCB_CURRENT_TIME);
    xcb_disconnect(c);
    return status == XCB_GRAB_STATUS_SUCCESS ? 0 : 1;
}
