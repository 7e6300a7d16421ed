// launch-to-map ROLE PROGRAM [ARGS...]: starts PROGRAM and prints the
// milliseconds until it maps a top-level window whose WM_WINDOW_ROLE is
// ROLE, then ends it. For start-up benchmarks under a fresh X server.
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    auto *reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return a;
}

std::string role(xcb_connection_t *c, xcb_window_t w, xcb_atom_t roleAtom)
{
    auto *reply = xcb_get_property_reply(c, xcb_get_property(c, 0, w, roleAtom, XCB_ATOM_STRING, 0, 64), nullptr);
    std::string text;
    if (reply) {
        text.assign(static_cast<const char *>(xcb_get_property_value(reply)),
                    size_t(xcb_get_property_value_length(reply)));
        std::free(reply);
    }
    return text;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: launch-to-map ROLE PROGRAM [ARGS...]\n");
        return 2;
    }
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t roleAtom = atom(c, "WM_WINDOW_ROLE");
    xcb_flush(c);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    int result = 1;
    while (xcb_generic_event_t *event = xcb_wait_for_event(c)) {
        const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
        const xcb_window_t w = mapped ? reinterpret_cast<xcb_map_notify_event_t *>(event)->window : 0;
        std::free(event);
        if (mapped && role(c, w, roleAtom) == argv[1]) {
            const auto ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            std::printf("%.1f\n", ms);
            result = 0;
            break;
        }
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    xcb_disconnect(c);
    return result;
}
