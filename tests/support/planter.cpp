// Plants what a hostile user would put where the program writes: by turns a
// link to a victim file and a named pipe (or only one of them), at one path
// or in every folder matching a pattern, as fast as it can, ROUNDS times.
// Run as another user (setpriv) or as the same one. What it planted it
// removes again.
//
//   planter PATH VICTIM ROUNDS [links|pipes|both]
//     PATH may contain one "*" in its folder part ("/tmp/x/tastolino-*/a.pdf"):
//     every matching folder is tried.
//
// Prints "tried T, planted L links, F pipes; pipes destroyed D": a pipe that
// is gone while the planter still holds it open was removed or replaced by
// someone else, which must never happen.
#include <fcntl.h>
#include <glob.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> targets(const std::string& pattern) {
    const size_t slash = pattern.rfind('/');
    const std::string folder = pattern.substr(0, slash);
    const std::string name = pattern.substr(slash);
    if (folder.find('*') == std::string::npos) return {pattern};
    std::vector<std::string> out;
    glob_t g{};
    if (::glob(folder.c_str(), GLOB_NOSORT, nullptr, &g) == 0)
        for (size_t i = 0; i < g.gl_pathc; ++i) out.push_back(g.gl_pathv[i] + name);
    ::globfree(&g);
    return out;
}

bool sameEntry(const std::string& path, const struct stat& planted) {
    struct stat now {};
    return ::lstat(path.c_str(), &now) == 0 && now.st_ino == planted.st_ino &&
           now.st_dev == planted.st_dev;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: planter PATH VICTIM ROUNDS [links|pipes|both]\n");
        return 2;
    }
    const std::string pattern = argv[1];
    const std::string victim = argv[2];
    const long rounds = std::atol(argv[3]);
    const std::string mode = argc == 5 ? argv[4] : "both";
    long tried = 0, links = 0, pipes = 0, destroyed = 0;
    for (long round = 0; round < rounds; ++round) {
        for (const std::string& path : targets(pattern)) {
            struct stat st {};
            ++tried;
            const bool link = mode == "links" || (mode == "both" && round % 2 == 0);
            if (link) {
                if (::symlink(victim.c_str(), path.c_str()) != 0) continue;
                ++links;
                ::lstat(path.c_str(), &st);
                ::usleep(50);
                if (sameEntry(path, st)) ::unlink(path.c_str());
                continue;
            }
            if (::mkfifo(path.c_str(), 0666) != 0) continue;
            ++pipes;
            // Held open, so that its removal shows as a link count of 0.
            const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_NOFOLLOW);
            if (fd < 0 || ::fstat(fd, &st) != 0) continue;
            ::usleep(50);
            struct stat later {};
            // The program may have moved it aside for a moment to put it back.
            for (int look = 0; look < 100 && !sameEntry(path, st); ++look) ::usleep(100);
            if (::fstat(fd, &later) == 0 && later.st_nlink == 0) ++destroyed;
            if (sameEntry(path, st)) ::unlink(path.c_str());
            ::close(fd);
        }
    }
    std::printf("tried %ld, planted %ld links, %ld pipes; pipes destroyed %ld\n", tried, links,
                pipes, destroyed);
    return 0;
}
