#include "settings/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace tastolino::files {

namespace {

void closeKeepingErrno(int fd) {
    const int saved = errno;
    ::close(fd);
    errno = saved;
}

}  // namespace

int openRegularForReading(const std::string& path, ReadStatus& status) {
    // The system ends a name at the first NUL: such a path would name
    // another file than the one asked for.
    if (path.empty() || path.find('\0') != std::string::npos) {
        status = ReadStatus::Missing;
        return -1;
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        status = (errno == ENOENT || errno == ENOTDIR || errno == ELOOP) ? ReadStatus::Missing
                                                                         : ReadStatus::Failed;
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        status = ReadStatus::Missing;
        return -1;
    }
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        status = (errno == ENOENT || errno == ENXIO) ? ReadStatus::Missing : ReadStatus::Failed;
        return -1;
    }
    // The file may have been swapped between the look and the open.
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        closeKeepingErrno(fd);
        status = ReadStatus::Missing;
        return -1;
    }
    status = ReadStatus::Ok;
    return fd;
}

FileBytes readRegularFile(const std::string& path, size_t limit) {
    FileBytes result;
    const int fd = openRegularForReading(path, result.status);
    if (fd < 0) return result;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size > 0)
        result.bytes.reserve(std::min(static_cast<size_t>(st.st_size), limit));
    char buf[65536];
    while (result.bytes.size() < limit) {
        const size_t want = std::min(sizeof buf, limit - result.bytes.size());
        ssize_t n = ::read(fd, buf, want);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return {ReadStatus::Failed, {}};
        }
        if (n == 0) break;
        result.bytes.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return result;
}

bool isReadableRegularFile(const std::string& path) {
    ReadStatus status{};
    const int fd = openRegularForReading(path, status);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

}  // namespace tastolino::files
