#include "settings/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string_view>

namespace tastolino::files {

namespace {

// The files the program writes all begin with its name.
constexpr std::string_view kProgramFiles = "Tastolino";
constexpr int kTempLetters = 6;   // the XXXXXX of mkstemp
constexpr time_t kStaleAge = 60;  // seconds; only where files cannot be locked

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// What may be displaced by a new file: an old regular file, or a link
// entry (which is replaced itself, never followed).
bool replaceable(const struct stat& st) {
    return S_ISREG(st.st_mode) || S_ISLNK(st.st_mode);
}

bool writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

mode_t newFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The file a save really replaces. A link of the user's own is followed, so
// that its target gets the new contents and the link stays. False for the
// link of anyone else: in a folder others can write, it may point at any
// file of the user's.
bool resolveTarget(const std::string& requested, std::string& path) {
    path = requested;
    struct stat st {};
    if (::lstat(requested.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    if (st.st_uid != ::geteuid()) return false;
    char real[PATH_MAX];
    if (::realpath(requested.c_str(), real) != nullptr) {
        path = real;
        return true;
    }
    // A dangling link is replaced by the file itself; a loop of links, or
    // one through a folder that cannot be searched, is left alone.
    return errno == ENOENT;
}

struct Place {
    std::string folder;  // with its trailing "/"
    std::string name;
};

Place placeOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {"./", path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

// A new temporary file for `place`, locked while it is filled, so that no
// other save takes it for a stale one. -1 when none can be made.
int makeLockedTemporary(const Place& place, std::string& temp) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        temp = place.folder + "." + place.name + ".XXXXXX";
        int fd = ::mkostemp(temp.data(), O_CLOEXEC);
        if (fd < 0) return -1;
        // Between mkostemp and the lock a cleaning save may have taken the
        // file for stale and removed it: then the name is gone.
        struct stat mine {};
        struct stat named {};
        if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &mine) == 0 &&
            ::lstat(temp.c_str(), &named) == 0 && sameFile(mine, named))
            return fd;
        ::close(fd);
    }
    return -1;
}

// Removes the temporary file when it still is the one behind `fd`.
void removeOwnTemporary(int fd, const std::string& temp) {
    struct stat mine {};
    struct stat named {};
    if (::fstat(fd, &mine) == 0 && ::lstat(temp.c_str(), &named) == 0 && sameFile(mine, named))
        ::unlink(temp.c_str());
}

int renameFlags(const std::string& from, const std::string& to, unsigned flags) {
    return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), flags);
}

bool unsupported(int error) {
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

// Puts the filled temporary file in the place of `path` in one step. What
// is there must be an old file or a link; anything else that appears there
// meanwhile is put back and the save fails.
bool install(const std::string& temp, const std::string& path) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        struct stat there {};
        if (::lstat(path.c_str(), &there) != 0) {
            if (errno != ENOENT) return false;
            if (renameFlags(temp, path, RENAME_NOREPLACE) == 0) return true;
            if (errno == EEXIST) continue;  // something appeared: look at it
            if (unsupported(errno)) return ::rename(temp.c_str(), path.c_str()) == 0;
            return false;
        }
        if (!replaceable(there)) return false;
        if (renameFlags(temp, path, RENAME_EXCHANGE) == 0) {
            struct stat old {};
            if (::lstat(temp.c_str(), &old) == 0 && !replaceable(old)) {
                renameFlags(temp, path, RENAME_EXCHANGE);
                return false;
            }
            ::unlink(temp.c_str());  // the old file
            return true;
        }
        if (errno == ENOENT) continue;  // gone meanwhile
        // File systems without the exchange (some removable media): the
        // plain rename right after the look.
        if (unsupported(errno)) return ::rename(temp.c_str(), path.c_str()) == 0;
        return false;
    }
    return false;
}

bool isTempLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Whether the temporary file `entry` of the open folder is one a killed
// save left: no writer holds it (or, without locks, it is old).
bool isStale(int folder, const char* entry) {
    struct stat named {};
    if (::fstatat(folder, entry, &named, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(named.st_mode) ||
        named.st_uid != ::geteuid())
        return false;
    int fd = ::openat(folder, entry, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat opened {};
    bool stale = false;
    if (::fstat(fd, &opened) == 0 && sameFile(opened, named)) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            stale = true;
        else if (errno != EWOULDBLOCK)
            stale = std::time(nullptr) - opened.st_mtime > kStaleAge;
    }
    // Still the same file under that name: the one that was looked at.
    struct stat again {};
    stale = stale && ::fstatat(folder, entry, &again, AT_SYMLINK_NOFOLLOW) == 0 &&
            sameFile(again, opened);
    if (stale) ::unlinkat(folder, entry, 0);
    ::close(fd);
    return stale;
}

}  // namespace

std::string temporaryFileOf(const std::string& fileName) {
    // "." + at least one character + "." + the six letters.
    if (fileName.size() < 3 + kTempLetters || fileName.front() != '.') return {};
    const size_t dot = fileName.size() - kTempLetters - 1;
    if (fileName[dot] != '.') return {};
    for (size_t i = dot + 1; i < fileName.size(); ++i)
        if (!isTempLetter(fileName[i])) return {};
    return fileName.substr(1, dot - 1);
}

void removeStaleTemporaries(const std::string& folder, const std::string& name) {
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return;
    DIR* listing = ::fdopendir(dir);
    if (listing == nullptr) {
        ::close(dir);
        return;
    }
    while (const dirent* entry = ::readdir(listing)) {
        const std::string of = temporaryFileOf(entry->d_name);
        if (!of.empty() && (of == name || of.starts_with(kProgramFiles)))
            isStale(dir, entry->d_name);
    }
    ::closedir(listing);
}

bool replaceAtomically(const std::string& requested, const std::string& bytes) {
    // A NUL would end the name early: another file than the one asked for.
    if (requested.empty() || requested.find('\0') != std::string::npos) return false;
    std::string path;
    if (!resolveTarget(requested, path)) return false;
    mode_t mode = newFileMode();
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) {
        if (!replaceable(st)) return false;
        // A file without write permission counts as read-only for everyone,
        // also for a user whom the system would let through.
        if (S_ISREG(st.st_mode)) {
            if ((st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0) return false;
            mode = st.st_mode & 07777;
        }
    }
    const Place place = placeOf(path);
    removeStaleTemporaries(place.folder, place.name);
    std::string temp;
    const int fd = makeLockedTemporary(place, temp);
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    // The lock is held until the file has its place.
    ok = ok && install(temp, path);
    if (!ok) removeOwnTemporary(fd, temp);
    ::close(fd);
    if (!ok) return false;
    // Makes the rename itself durable; a failure here does not undo the save.
    int folder = ::open(place.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

}  // namespace tastolino::files
