// Starts the real program on the current X display several times and
// reports, as medians over the runs:
//  - the time from just before exec to the X server's first map event of a
//    top-level window (watched from outside: no help from the program),
//  - resident, private and shared memory five seconds after the learner
//    reached the Enter invitation: the name dialog (with a remembered name)
//    is answered with Return as a learner would, and the main window's
//    published input state says "start",
//  - the processor time it uses over the next ten seconds with nothing
//    happening but the invitation's blinking, as a share of one core.
// The first run only warms the file cache and is not counted.
//   bench_xstart <program> [runs] [settle seconds] [idle seconds]
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <dirent.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Memory {
    double rssMiB = 0;
    double privateMiB = 0;
    double sharedMiB = 0;
};

struct Run {
    double firstWindowMs = -1;
    Memory memory;
    double idleCpuPercent = -1;
};

// Rss and the private and shared parts of it, from smaps_rollup (kB).
Memory readMemory(pid_t pid) {
    Memory m;
    std::ifstream in("/proc/" + std::to_string(pid) + "/smaps_rollup");
    std::string key;
    long value = 0;
    std::string unit;
    long privateKb = 0, sharedKb = 0, rssKb = 0;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        if (!(fields >> key >> value)) continue;
        if (key == "Rss:") rssKb = value;
        if (key == "Private_Clean:" || key == "Private_Dirty:") privateKb += value;
        if (key == "Shared_Clean:" || key == "Shared_Dirty:") sharedKb += value;
    }
    m.rssMiB = rssKb / 1024.0;
    m.privateMiB = privateKb / 1024.0;
    m.sharedMiB = sharedKb / 1024.0;
    return m;
}

// Nanoseconds on a processor of every thread of the process, from the
// scheduler's own accounting (finer than the clock ticks of /proc/PID/stat).
long long cpuNs(pid_t pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    long long total = 0;
    if (DIR* dir = opendir(tasks.c_str())) {
        while (dirent* entry = readdir(dir)) {
            if (entry->d_name[0] == '.') continue;
            std::ifstream in(tasks + "/" + entry->d_name + "/schedstat");
            long long ns = 0;
            if (in >> ns) total += ns;
        }
        closedir(dir);
    }
    return total;
}

// Waits for the next MapNotify of a child of the root window; the window
// and the time it arrived, or nothing after the timeout.
bool waitForMap(Display* display, Clock::time_point deadline, Window& window,
                Clock::time_point& mappedAt) {
    const int fd = ConnectionNumber(display);
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify) {
                mappedAt = Clock::now();
                window = event.xmap.window;
                return true;
            }
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return false;
        pollfd p{fd, POLLIN, 0};
        poll(&p, 1, int(left));
    }
}

// A text property of a window, empty when it has none.
std::string textProperty(Display* display, Window window, const char* name) {
    const Atom atom = XInternAtom(display, name, False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string value;
    if (XGetWindowProperty(display, window, atom, 0, 64, False, AnyPropertyType, &type, &format,
                           &count, &after, &data) == Success &&
        data) {
        if (format == 8) value.assign(reinterpret_cast<const char*>(data), count);
        XFree(data);
    }
    return value;
}

bool isDialog(Display* display, Window window) {
    const Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
    const Atom dialog = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    Atom actual = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(display, window, type, 0, 16, False, XA_ATOM, &actual, &format, &count,
                           &after, &data) == Success &&
        data) {
        const Atom* atoms = reinterpret_cast<const Atom*>(data);
        found = std::find(atoms, atoms + count, dialog) != atoms + count;
        XFree(data);
    }
    return found;
}

// Return on the focused window, as the keyboard would send it.
void pressReturn() {
    const char* argv[] = {"xdotool", "key", "Return", nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "xdotool", nullptr, nullptr, const_cast<char**>(argv), environ) == 0)
        waitpid(pid, nullptr, 0);
}

// From the first window to the Enter invitation: the name dialog is answered
// once it has been up for a moment; done when the main window publishes
// "start".
bool reachInvitation(Display* display, Window main, Clock::time_point deadline) {
    for (;;) {
        if (textProperty(display, main, "_TASTOLINO_INPUT") == "start") return true;
        Window window = None;
        Clock::time_point at;
        if (!waitForMap(display, std::min(deadline, Clock::now() + std::chrono::milliseconds(50)),
                        window, at)) {
            if (Clock::now() >= deadline) return false;
            continue;
        }
        if (isDialog(display, window)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            pressReturn();
        }
    }
}

Run runOnce(const std::string& program, int settleSeconds, int idleSeconds) {
    Run run;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return run;
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, True);

    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const auto start = Clock::now();
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        XCloseDisplay(display);
        return run;
    }

    Clock::time_point mapped;
    Window main = None;
    if (waitForMap(display, start + std::chrono::seconds(20), main, mapped) &&
        reachInvitation(display, main, mapped + std::chrono::seconds(30))) {
        run.firstWindowMs = std::chrono::duration<double, std::milli>(mapped - start).count();
        std::this_thread::sleep_for(std::chrono::seconds(settleSeconds));
        run.memory = readMemory(pid);
        const long long before = cpuNs(pid);
        const auto from = Clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
        const long long used = cpuNs(pid) - before;
        const double wallNs = std::chrono::duration<double, std::nano>(Clock::now() - from).count();
        run.idleCpuPercent = 100.0 * double(used) / wallNs;
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(display);
    return run;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_xstart <program> [runs] [settle s] [idle s]\n");
        return 2;
    }
    const std::string program = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const int settle = argc > 3 ? std::max(0, std::atoi(argv[3])) : 5;
    const int idle = argc > 4 ? std::max(1, std::atoi(argv[4])) : 10;

    runOnce(program, 0, 1);  // warm the file cache: the figures are of a second start
    std::vector<double> first, rss, priv, shared, cpu;
    for (int i = 0; i < runs; ++i) {
        const Run run = runOnce(program, settle, idle);
        if (run.firstWindowMs < 0) {
            std::fprintf(stderr, "run %d: no window, or no Enter invitation, in time\n", i + 1);
            return 1;
        }
        first.push_back(run.firstWindowMs);
        rss.push_back(run.memory.rssMiB);
        priv.push_back(run.memory.privateMiB);
        shared.push_back(run.memory.sharedMiB);
        cpu.push_back(run.idleCpuPercent);
    }
    std::printf(
        "first window %.1f ms (min %.1f, max %.1f) | resident %.1f MiB, private %.1f MiB, "
        "shared %.1f MiB | idle CPU %.3f %% (max %.3f %%) | median of %d\n",
        median(first), *std::min_element(first.begin(), first.end()),
        *std::max_element(first.begin(), first.end()), median(rss), median(priv), median(shared),
        median(cpu), *std::max_element(cpu.begin(), cpu.end()), runs);
    return 0;
}
