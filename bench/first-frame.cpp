// first-frame ROLE PROGRAM [ARGS...]: starts PROGRAM, waits for it to map a
// top-level window whose WM_WINDOW_ROLE is ROLE (any role: "-"), then
// watches that window until the test movie shows in it (at least 7000
// pixels of its dark blue stage and 300 of its red square), and prints
// "MAP FRAME": milliseconds from the launch to the window mapped and to the
// movie's first frame. Ends the program; gives up after 60 s.
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string property(xcb_connection_t *c, xcb_window_t w, const char *name)
{
    auto *a = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr);
    if (!a)
        return {};
    auto *reply = xcb_get_property_reply(c, xcb_get_property(c, 0, w, a->atom, XCB_ATOM_STRING, 0, 64), nullptr);
    std::free(a);
    std::string text;
    if (reply) {
        text.assign(static_cast<const char *>(xcb_get_property_value(reply)),
                    size_t(xcb_get_property_value_length(reply)));
        std::free(reply);
    }
    return text;
}

bool showsMovie(xcb_connection_t *c, xcb_window_t w)
{
    auto *geometry = xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr);
    if (!geometry)
        return false;
    const uint16_t width = geometry->width;
    const uint16_t height = geometry->height;
    std::free(geometry);
    auto *image =
        xcb_get_image_reply(c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, w, 0, 0, width, height, ~0u), nullptr);
    if (!image)
        return false;
    const auto *pixels = reinterpret_cast<const uint32_t *>(xcb_get_image_data(image));
    const int count = xcb_get_image_data_length(image) / 4;
    int blue = 0;
    int red = 0;
    for (int i = 0; i < count; ++i) {
        const uint32_t p = pixels[i] & 0xffffff;
        blue += p == 0x102060;
        const int r = p >> 16 & 0xff, g = p >> 8 & 0xff, b = p & 0xff;
        red += r > 230 && g < 30 && b < 30;
    }
    std::free(image);
    return blue >= 7000 && red >= 300;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: first-frame ROLE PROGRAM [ARGS...]\n");
        return 2;
    }
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);

    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    const std::string role = argv[1];
    xcb_window_t window = 0;
    double mapped = -1;
    while (xcb_generic_event_t *event = xcb_wait_for_event(c)) {
        const bool isMap = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
        const xcb_window_t w = isMap ? reinterpret_cast<xcb_map_notify_event_t *>(event)->window : 0;
        std::free(event);
        if (isMap && (role == "-" || property(c, w, "WM_WINDOW_ROLE") == role)) {
            mapped = msSince(start);
            window = w;
            break;
        }
    }
    int result = 1;
    while (window && msSince(start) < 60'000) {
        if (showsMovie(c, window)) {
            std::printf("%.0f %.0f\n", mapped, msSince(start));
            result = 0;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(-child, SIGTERM);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    kill(-child, SIGKILL);
    waitpid(child, nullptr, 0);
    xcb_disconnect(c);
    return result;
}
