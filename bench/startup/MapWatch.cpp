// Times a program from exec to the X server's MapNotify of its first top-level window, then ends it and
// reports its peak resident memory.
//
//   map_watch IDLE-MS PROGRAM [ARGS...]   prints "MAP-MS PEAK-KB"
//
// The watcher listens on the root window before it starts the program, so no map is missed; under Xvfb there
// is no window manager and a top-level window is a child of the root. After the map the program is left
// idle for IDLE-MS, then sent SIGTERM; the peak comes from the kernel's account of the ended child.
// Plain xcb: a toolkit in the watcher would share the machine with what it measures.
#include <xcb/xcb.h>

#include <sys/resource.h>
#include <sys/wait.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <poll.h>
#include <spawn.h>
#include <unistd.h>

extern char** environ;

namespace {

struct ConnectionCloser {
    void operator()(xcb_connection_t* c) const { xcb_disconnect(c); }
};
using Connection = std::unique_ptr<xcb_connection_t, ConnectionCloser>;

double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "map_watch: %s\n", what);
    std::exit(2);
}

// Waits for the first map of a root child that is not override-redirect (menus, tooltips, drag icons are).
bool waitForMap(xcb_connection_t* c, double deadlineMs) {
    const int fd = xcb_get_file_descriptor(c);
    for (;;) {
        while (xcb_generic_event_t* raw = xcb_poll_for_event(c)) {
            const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(raw, &std::free);
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY &&
                !reinterpret_cast<xcb_map_notify_event_t*>(raw)->override_redirect)
                return true;
        }
        if (xcb_connection_has_error(c))
            return false;
        const double left = deadlineMs - nowMs();
        if (left <= 0)
            return false;
        pollfd p{fd, POLLIN, 0};
        poll(&p, 1, static_cast<int>(left) + 1);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        fail("usage: map_watch IDLE-MS PROGRAM [ARGS...]");
    const int idleMs = std::atoi(argv[1]);

    Connection c(xcb_connect(nullptr, nullptr));
    if (xcb_connection_has_error(c.get()))
        fail("no X display");
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c.get())).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    // Checked, so the selection is in force before the program starts.
    if (std::unique_ptr<xcb_generic_error_t, decltype(&std::free)> error{
            xcb_request_check(c.get(), xcb_change_window_attributes_checked(c.get(), screen->root,
                                                                            XCB_CW_EVENT_MASK, &mask)),
            &std::free})
        fail("cannot watch the root window");

    const double start = nowMs();
    pid_t child = 0;
    if (posix_spawn(&child, argv[2], nullptr, nullptr, argv + 2, environ) != 0)
        fail("cannot start the program");
    const bool mapped = waitForMap(c.get(), start + 20000);
    const double mapMs = nowMs() - start;

    if (mapped && idleMs > 0)
        usleep(static_cast<useconds_t>(idleMs) * 1000);
    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) == -1 && errno == EINTR) {
    }
    if (!mapped)
        fail("the program mapped no window within 20 s");
    std::printf("%.2f %ld\n", mapMs, usage.ru_maxrss);
    return 0;
}
