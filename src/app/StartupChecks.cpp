#include "app/StartupChecks.h"

#include "platform/Seams.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tastolino {

QString ResolutionMessage() {
    return QStringLiteral(
        "La risoluzione minima per l'utilizzo di questo programma è:\n"
        "800 x 600 pixel.\n"
        "Modificare la risoluzione video e, quindi, riprovare.\n\n"
        "Best visual results if used with 800x600 pixel monitor.\n"
        "Modify your video settings and try again.");
}

bool ScreenLargeEnough(const QSize& screen) {
    return screen.width() >= 800 && screen.height() >= 600;
}

bool IsLargeScreen(const QSize& screen) {
    return screen.width() > 1000 || screen.height() > 750;
}

bool CheckScreen(QWidget* parent) {
    if (ScreenLargeEnough(seams::screenSize())) return true;
    seams::message(parent, ResolutionMessage(), QStringLiteral("Tastolino"),
                   seams::MsgIcon::Critical);
    return false;
}

SingleInstance::SingleInstance(const QString& lockPath)
    : lockPath_(lockPath.isEmpty() ? defaultLockPath() : lockPath) {}

SingleInstance::~SingleInstance() {
    // Closing releases the lock; the file stays for the next start.
    if (fd_ >= 0) ::close(fd_);
}

namespace {

// A folder of the user's that no one else can enter or write into.
bool isPrivateFolder(const QByteArray& folder) {
    struct stat st {};
    return ::lstat(folder.constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

}  // namespace

SingleInstance::Lock SingleInstance::acquire() {
    if (fd_ >= 0) return Lock::Taken;
    const QByteArray folderName = QFile::encodeName(folder());
    // The folder is made when it is missing; one that is there already must
    // be the user's own.
    if (::mkdir(folderName.constData(), 0700) != 0 && errno != EEXIST) return Lock::Unavailable;
    if (!isPrivateFolder(folderName)) return Lock::Unavailable;
    // O_NONBLOCK: a named pipe put there is opened without waiting, and
    // then refused for not being a regular file.
    const int fd = ::open(QFile::encodeName(lockPath_).constData(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
    if (fd < 0) return Lock::Unavailable;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
        ::close(fd);
        return Lock::Unavailable;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held ? Lock::RunningCopy : Lock::Unavailable;
    }
    // The process number, for whoever looks at the file.
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    if (::ftruncate(fd, 0) == 0) (void)!::write(fd, pid.constData(), size_t(pid.size()));
    fd_ = fd;
    return Lock::Taken;
}

QString SingleInstance::folder() const {
    return QFileInfo(lockPath_).absolutePath();
}

QString SingleInstance::defaultLockPath() {
    // The runtime folder is the user's own by definition; the temporary
    // folder is everyone's, so the lock gets a folder of its own there.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString folder =
        QDir::isAbsolutePath(runtime)
            ? runtime
            : QDir(QDir::tempPath()).filePath(QStringLiteral("tastolino-%1").arg(::geteuid()));
    return QDir(folder).filePath(QStringLiteral("tastolino.lock"));
}

}  // namespace tastolino
