#include "settings/Profile.h"

#include "settings/ProfileText.h"
#include "text/Cp1252.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>

namespace tastolino::profile {

namespace {

enum class ReadStatus { Ok, Missing, Failed };

struct FileText {
    ReadStatus status = ReadStatus::Failed;
    std::string bytes;
};

FileText readFile(const std::string& path) {
    FileText result;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        result.status = errno == ENOENT ? ReadStatus::Missing : ReadStatus::Failed;
        return result;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return result;
    }
    result.bytes.reserve(static_cast<size_t>(st.st_size));
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            result.bytes.clear();
            return result;
        }
        if (n == 0) break;
        result.bytes.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    result.status = ReadStatus::Ok;
    return result;
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

// The file that is really written: a symbolic link is followed, so that the
// rename replaces its target and not the link.
std::string resolvedTarget(const std::string& path) {
    char real[PATH_MAX];
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode) &&
        ::realpath(path.c_str(), real) != nullptr)
        return real;
    return path;
}

mode_t newFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Replaces the file by `bytes` through a temporary file in the same folder.
bool replaceFile(const std::string& requested, const std::string& bytes) {
    const std::string path = resolvedTarget(requested);
    mode_t mode = newFileMode();
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        // A file without write permission counts as read-only for everyone,
        // also for a user whom the system would let through.
        if (!S_ISREG(st.st_mode) || (st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0)
            return false;
        mode = st.st_mode & 07777;
    }
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string temp = folder + (folder.ends_with('/') ? "" : "/") + "." + name + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // Makes the rename itself durable; a failure here does not undo the save.
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

}  // namespace

std::string readString(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& def, size_t bufferSize) {
    FileText text = readFile(file);
    if (text.status != ReadStatus::Ok) return def;
    std::optional<std::string> value =
        findValue(text.bytes, cp1252::fromUtf8(section), cp1252::fromUtf8(key));
    if (!value) return def;
    const size_t limit = bufferSize > 0 ? bufferSize - 1 : 0;
    if (value->size() > limit) value->resize(limit);
    return cp1252::toUtf8(*value);
}

std::optional<std::string> readFileBytes(const std::string& file) {
    FileText text = readFile(file);
    if (text.status != ReadStatus::Ok) return std::nullopt;
    return std::move(text.bytes);
}

bool writeString(const std::string& file, const std::string& section, const std::string& key,
                 const std::string& value) {
    const std::string sec = cp1252::fromUtf8(section);
    const std::string k = cp1252::fromUtf8(key);
    if (!isValidSectionName(sec) || !isValidKeyName(k)) return false;
    FileText text = readFile(file);
    if (text.status == ReadStatus::Failed) return false;
    return replaceFile(file, withValue(text.bytes, sec, k, cp1252::fromUtf8(value)));
}

bool deleteKey(const std::string& file, const std::string& section, const std::string& key) {
    FileText text = readFile(file);
    if (text.status == ReadStatus::Missing) return true;
    if (text.status == ReadStatus::Failed) return false;
    std::optional<std::string> changed =
        withoutKey(text.bytes, cp1252::fromUtf8(section), cp1252::fromUtf8(key));
    return !changed || replaceFile(file, *changed);
}

bool deleteSection(const std::string& file, const std::string& section) {
    FileText text = readFile(file);
    if (text.status == ReadStatus::Missing) return true;
    if (text.status == ReadStatus::Failed) return false;
    std::optional<std::string> changed = withoutSection(text.bytes, cp1252::fromUtf8(section));
    return !changed || replaceFile(file, *changed);
}

}  // namespace tastolino::profile
