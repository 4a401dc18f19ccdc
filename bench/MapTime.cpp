// Starts a program under the current X display and reports how long it took until its first
// top-level window was mapped, and the program's resident memory at that moment. Then ends it.
//   map_time PROGRAM [ARGS...]   prints: <milliseconds> <resident kB>
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

namespace {

long ResidentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: map_time PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "map_time: no X display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    double ms = -1;
    const int fd = ConnectionNumber(display);
    while (ms < 0) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && ms < 0) {
                ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                               start)
                         .count();
            }
        }
        if (ms >= 0) {
            break;
        }
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(fd, &fds);
        timeval timeout{10, 0};
        if (select(fd + 1, &fds, nullptr, nullptr, &timeout) <= 0) {
            std::fprintf(stderr, "map_time: no window within 10 s\n");
            kill(child, SIGKILL);
            return 1;
        }
    }
    // Let the first frame settle, then read the memory the window costs.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const long rss = ResidentKb(child);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    std::printf("%.1f %ld\n", ms, rss);
    XCloseDisplay(display);
    return 0;
}
