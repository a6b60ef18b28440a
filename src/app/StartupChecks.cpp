#include "app/StartupChecks.h"

#include "platform/Seams.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

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
    : lockPath_(lockPath.isEmpty() ? defaultLockPath() : lockPath),
      lock_(std::make_unique<QLockFile>(lockPath_)) {
    // Any lock whose owner process is gone counts as stale at once.
    lock_->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire() {
    if (lock_->isLocked()) return true;
    // tryLock removes the lock of a process that is gone; a lock that names a
    // live process is a running copy.
    if (lock_->tryLock(0)) return true;
    // No lock can be made at all (folder missing or read-only): a running
    // copy cannot be told from none, and refusing would keep the program
    // from ever starting, silently.
    if (lock_->error() != QLockFile::LockFailedError) return true;
    // A lock file nobody can read (damaged by a crash or a full disk) would
    // otherwise keep the program from ever starting again. An empty one may
    // belong to a copy starting this very moment, so only an old one counts.
    qint64 pid = 0;
    QString host, app;
    if (lock_->getLockInfo(&pid, &host, &app) && pid > 0) return false;
    const QFileInfo info(lockPath_);
    const bool damaged =
        info.size() > 0 || info.lastModified().secsTo(QDateTime::currentDateTime()) > 2;
    if (!damaged || !lock_->removeStaleLockFile()) return false;
    return lock_->tryLock(0);
}

QString SingleInstance::defaultLockPath() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty() || !QDir(dir).exists()) dir = QDir::tempPath();
    return QDir(dir).filePath(QStringLiteral("tastolino.lock"));
}

}  // namespace tastolino
