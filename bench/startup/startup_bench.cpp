// Starts the program several times offscreen and reports the median time
// from process start to the main window shown (the program prints "shown"
// and quits at that point when TASTOLINO_BENCH_EXIT_AFTER_SHOW=1) and the
// median peak resident memory.
//   bench_startup [runs] [program]
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Run {
    double ms = 0;
    long peakKb = 0;
    bool ok = false;
};

Run runOnce(const char* program, const std::string& runtimeDir) {
    Run run;
    int out[2];
    if (pipe(out) != 0) return run;

    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.rfind("QT_QPA_PLATFORM=", 0) == 0 || entry.rfind("XDG_RUNTIME_DIR=", 0) == 0)
            continue;
        env.push_back(entry);
    }
    env.push_back("QT_QPA_PLATFORM=offscreen");
    env.push_back("TASTOLINO_BENCH_EXIT_AFTER_SHOW=1");
    env.push_back("XDG_RUNTIME_DIR=" + runtimeDir);
    std::vector<char*> envp;
    for (std::string& entry : env) envp.push_back(entry.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>(program), nullptr};

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return run;
    }

    std::string seen;
    char buffer[256];
    ssize_t n;
    while (seen.find("shown") == std::string::npos && (n = read(out[0], buffer, sizeof buffer)) > 0)
        seen.append(buffer, size_t(n));
    const auto shown = std::chrono::steady_clock::now();
    close(out[0]);

    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.ms = std::chrono::duration<double, std::milli>(shown - start).count();
    run.peakKb = usage.ru_maxrss;
    run.ok =
        seen.find("shown") != std::string::npos && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

template <typename T>
T median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const char* program = argc > 2 ? argv[2] : TASTOLINO_PROGRAM;

    char dirTemplate[] = "/tmp/tastolino-bench-XXXXXX";
    if (!mkdtemp(dirTemplate)) return 1;
    const std::string runtimeDir = dirTemplate;

    runOnce(program, runtimeDir);  // warm the file cache
    std::vector<double> times;
    std::vector<long> peaks;
    for (int i = 0; i < runs; ++i) {
        const Run run = runOnce(program, runtimeDir);
        if (!run.ok) {
            std::fprintf(stderr, "run %d failed\n", i + 1);
            return 1;
        }
        times.push_back(run.ms);
        peaks.push_back(run.peakKb);
    }
    rmdir(dirTemplate);
    std::printf("start-up to main window shown: median %.1f ms over %d runs (min %.1f, max %.1f)\n",
                median(times), runs, *std::min_element(times.begin(), times.end()),
                *std::max_element(times.begin(), times.end()));
    std::printf("peak resident memory: median %.1f MB\n", median(peaks) / 1024.0);
    return 0;
}
