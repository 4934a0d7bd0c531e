// Measures how long a program takes from exec until it maps a top-level window whose title contains a
// given text (a title given after the window was mapped counts when it is given). Runs on whatever X
// display DISPLAY names (the bench script starts Xvfb).
//
//   window_startup RUNS TITLE-PART -- PROGRAM ARGS...
// prints the median in seconds on standard output.
//   window_startup memory TITLE-PART -- PROGRAM ARGS...
// waits for the same window, lets the program settle for 1.5 s and prints its resident size and its
// proportional set size in kB (0 when /proc does not tell it).
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

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

// The first number of the /proc file's line that starts with `key`, 0 when there is none.
long procField(pid_t pid, const char* file, const std::string& key) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/" + file);
    for (std::string line; std::getline(in, line);)
        if (line.compare(0, key.size(), key) == 0)
            return std::atol(line.c_str() + key.size());
    return 0;
}

// Lets the program run on for a while, then prints its resident and proportional set sizes.
void printMemory(pid_t pid) {
    usleep(1500 * 1000);
    std::printf("%ld %ld\n", procField(pid, "status", "VmRSS:"), procField(pid, "smaps_rollup", "Pss:"));
}

// One run: seconds from spawn to the matching map, or a negative number on failure. With `memory` the
// sizes are printed before the program is ended.
double measure(const std::string& titlePart, char** argv, bool memory = false) {
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
    const auto start = std::chrono::steady_clock::now();
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ) != 0) {
        xcb_disconnect(c);
        return -2;
    }
    double seconds = -3;
    const auto deadline = start + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
        xcb_generic_event_t* event = xcb_poll_for_event(c);
        if (!event) {
            if (waitpid(pid, nullptr, WNOHANG) == pid) {
                pid = 0;
                break;
            }
            usleep(200);
            continue;
        }
        xcb_window_t candidate = XCB_WINDOW_NONE;
        const int type = event->response_type & 0x7f;
        if (type == XCB_MAP_NOTIFY) {
            candidate = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
            // Its title may still change: watch it.
            const uint32_t watch = XCB_EVENT_MASK_PROPERTY_CHANGE;
            xcb_change_window_attributes(c, candidate, XCB_CW_EVENT_MASK, &watch);
            xcb_flush(c);
        } else if (type == XCB_PROPERTY_NOTIFY) {
            auto* change = reinterpret_cast<xcb_property_notify_event_t*>(event);
            if (change->atom == netWmName || change->atom == XCB_ATOM_WM_NAME)
                candidate = change->window;
        }
        if (candidate != XCB_WINDOW_NONE &&
            windowTitle(c, candidate, netWmName, utf8).find(titlePart) != std::string::npos) {
            seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            free(event);
            if (memory)
                printMemory(pid);
            break;
        }
        free(event);
    }
    if (pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    xcb_disconnect(c);
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5 || std::strcmp(argv[3], "--") != 0) {
        std::fprintf(stderr, "usage: %s RUNS TITLE-PART -- PROGRAM ARGS...\n", argv[0]);
        return 2;
    }
    if (std::strcmp(argv[1], "memory") == 0)
        return measure(argv[2], argv + 4, true) < 0 ? 1 : 0;
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
