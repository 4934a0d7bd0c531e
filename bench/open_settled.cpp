// Measures how long a program takes from exec until the window whose title contains a given text is
// mapped and its picture has settled: the time of the last change of more than a caret's worth of
// pixels, judged once the picture has stayed put for a while. Runs on whatever X display DISPLAY names
// (the bench script starts Xvfb, where no window manager or compositor draws).
//
//   open_settled RUNS TITLE-PART -- PROGRAM ARGS...
// prints the median in seconds on standard output.
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// A blinking caret or a cursor changes a few dozen pixels; styling, text and layout change far more.
constexpr long kChangedPixels = 200;
constexpr auto kQuiet = std::chrono::milliseconds(1500);
constexpr auto kGrabInterval = std::chrono::milliseconds(20);
constexpr auto kTimeout = std::chrono::seconds(60);

std::string windowTitle(xcb_connection_t* c, xcb_window_t window, xcb_atom_t netWmName, xcb_atom_t utf8) {
    for (auto [atom, type] :
         {std::pair{netWmName, utf8}, std::pair{xcb_atom_t(XCB_ATOM_WM_NAME), xcb_atom_t(XCB_ATOM_STRING)}}) {
        xcb_get_property_reply_t* reply =
            xcb_get_property_reply(c, xcb_get_property(c, 0, window, atom, type, 0, 1024), nullptr);
        if (!reply)
            continue;
        std::string title(static_cast<const char*>(xcb_get_property_value(reply)),
                          xcb_get_property_value_length(reply));
        free(reply);
        if (!title.empty())
            return title;
    }
    return {};
}

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return result;
}

// The window's picture with its size in front; empty when it cannot be read (unmapped, gone).
std::vector<uint32_t> grab(xcb_connection_t* c, xcb_window_t window) {
    xcb_get_geometry_reply_t* geometry = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    if (!geometry)
        return {};
    const uint16_t width = geometry->width, height = geometry->height;
    free(geometry);
    xcb_get_image_reply_t* image = xcb_get_image_reply(
        c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, width, height, ~0u), nullptr);
    if (!image)
        return {};
    const auto* pixels = reinterpret_cast<const uint32_t*>(xcb_get_image_data(image));
    std::vector<uint32_t> result{uint32_t(width) << 16 | height};
    result.insert(result.end(), pixels, pixels + xcb_get_image_data_length(image) / 4);
    free(image);
    return result;
}

long changedPixels(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    if (a.size() != b.size() || a.empty() || a[0] != b[0])
        return kChangedPixels + 1;
    long changed = 0;
    for (size_t i = 1; i < a.size(); ++i)
        changed += a[i] != b[i];
    return changed;
}

void stop(pid_t pid) {
    kill(pid, SIGTERM);
    for (int i = 0; i < 300; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// One run: seconds from spawn to the last change of the window's picture, or a negative number.
double measure(const std::string& titlePart, char** argv) {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return -1;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t netWmName = atom(c, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(c, "UTF8_STRING");
    xcb_flush(c);

    pid_t pid = 0;
    const auto start = Clock::now();
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ) != 0) {
        xcb_disconnect(c);
        return -2;
    }
    xcb_window_t window = XCB_WINDOW_NONE;
    while (window == XCB_WINDOW_NONE && Clock::now() - start < kTimeout) {
        xcb_generic_event_t* event = xcb_poll_for_event(c);
        if (!event) {
            if (waitpid(pid, nullptr, WNOHANG) == pid) {
                xcb_disconnect(c);
                return -3;
            }
            usleep(200);
            continue;
        }
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            if (windowTitle(c, map->window, netWmName, utf8).find(titlePart) != std::string::npos)
                window = map->window;
        }
        free(event);
    }
    double seconds = -4;
    if (window != XCB_WINDOW_NONE) {
        auto lastChange = Clock::now();
        std::vector<uint32_t> previous = grab(c, window);
        while (Clock::now() - lastChange < kQuiet && Clock::now() - start < kTimeout) {
            usleep(std::chrono::duration_cast<std::chrono::microseconds>(kGrabInterval).count());
            const auto when = Clock::now();
            std::vector<uint32_t> picture = grab(c, window);
            if (changedPixels(previous, picture) > kChangedPixels)
                lastChange = when;
            previous = std::move(picture);
        }
        if (Clock::now() - start < kTimeout)
            seconds = std::chrono::duration<double>(lastChange - start).count();
    }
    stop(pid);
    xcb_disconnect(c);
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5 || std::strcmp(argv[3], "--") != 0) {
        std::fprintf(stderr, "usage: %s RUNS TITLE-PART -- PROGRAM ARGS...\n", argv[0]);
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double t = measure(argv[2], argv + 4);
        if (t < 0) {
            std::fprintf(stderr, "run %d failed (%g)\n", i, t);
            return 1;
        }
        times.push_back(t);
    }
    std::sort(times.begin(), times.end());
    std::printf("%.4f\n", times[times.size() / 2]);
    return 0;
}
