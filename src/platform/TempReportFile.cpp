#include "platform/TempReportFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace tastolino {

namespace {

bool identify(const QByteArray& path, dev_t& device, ino_t& inode, struct stat& st) {
    if (::lstat(path.constData(), &st) != 0) return false;
    device = st.st_dev;
    inode = st.st_ino;
    return true;
}

bool isPlainName(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

}  // namespace

QString GetTempDir() {
    QString dir = QDir::tempPath();
    if (dir.isEmpty() || !QFileInfo(dir).isDir()) return {};
    if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
    return dir;
}

bool TempReportFile::Made::isMine() const {
    struct stat st {};
    return !path.isEmpty() && ::lstat(path.constData(), &st) == 0 && st.st_dev == device &&
           st.st_ino == inode && st.st_uid == ::geteuid();
}

TempReportFile::TempReportFile(const QString& tempFolder) : tempFolder_(tempFolder) {}

TempReportFile::~TempReportFile() {
    remove();
}

bool TempReportFile::makeFolder() {
    // Still the private folder made before: a folder of the user's, mode
    // 0700, the very one.
    struct stat st {};
    if (folder_.isMine() && ::lstat(folder_.path.constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
        (st.st_mode & 07777) == 0700)
        return true;
    folder_ = {};
    if (tempFolder_.isEmpty()) return false;
    QByteArray pattern = QFile::encodeName(tempFolder_);
    if (!pattern.endsWith('/')) pattern += '/';
    pattern += "tastolino-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) return false;
    folder_.path = pattern;
    if (!identify(folder_.path, folder_.device, folder_.inode, st) || !S_ISDIR(st.st_mode)) {
        folder_ = {};
        return false;
    }
    return true;
}

void TempReportFile::removeFile() {
    if (file_.isMine()) ::unlink(file_.path.constData());
    file_ = {};
}

std::FILE* TempReportFile::create(const QString& fileName) {
    removeFile();
    if (!isPlainName(fileName) || !makeFolder()) return nullptr;
    const QByteArray path = folder_.path + '/' + QFile::encodeName(fileName);
    const int fd = ::open(path.constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0600);
    if (fd < 0) return nullptr;
    struct stat st {};
    // The umask may have taken more away: exactly 0600.
    if (::fchmod(fd, 0600) != 0 || ::fstat(fd, &st) != 0) {
        ::close(fd);
        ::unlink(path.constData());
        return nullptr;
    }
    file_ = {path, st.st_dev, st.st_ino};
    std::FILE* stream = ::fdopen(fd, "wb");
    if (stream == nullptr) {
        ::close(fd);
        removeFile();
    }
    return stream;
}

QString TempReportFile::path() const {
    return QFile::decodeName(file_.path);
}

void TempReportFile::remove() {
    removeFile();
    // Only an empty folder goes: whatever else is in it stays.
    if (folder_.isMine()) ::rmdir(folder_.path.constData());
    folder_ = {};
}

}  // namespace tastolino
