// What the tests of hostile files share: a watchdog that ends the test when
// something waits for good (a named pipe opened for reading), named pipes
// and sockets to plant, a folder others can write into (mode 1777, like the
// temporary folder), and running the planter as another user.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

namespace planttest {

// Ends the whole test binary, saying what hung, when the scope takes
// longer than `seconds`: a blocked open() cannot be interrupted otherwise.
class Watchdog {
  public:
    Watchdog(const char* what, int seconds = 10) : what_(what) {
        thread_ = std::thread([this, seconds] {
            std::unique_lock<std::mutex> lock(mutex_);
            if (!done_.wait_for(lock, std::chrono::seconds(seconds), [this] { return over_; })) {
                std::fprintf(stderr, "FAIL: blocked for %d s: %s\n", seconds, what_);
                std::fflush(stderr);
                std::_Exit(3);
            }
        });
    }
    ~Watchdog() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            over_ = true;
        }
        done_.notify_one();
        thread_.join();
    }

  private:
    const char* what_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool over_ = false;
    std::thread thread_;
};

inline QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

inline bool makePipe(const QString& path) {
    return ::mkfifo(native(path).constData(), 0666) == 0;
}

// A listening Unix socket bound at `path`; the descriptor, or -1.
inline int makeSocket(const QString& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = native(path);
    if (fd < 0 || size_t(name.size()) >= sizeof address.sun_path) return -1;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 1) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// The kind of what is at `path`, without following a link: "file", "link",
// "pipe", "socket", "folder", "device", or "none".
inline QString kindAt(const QString& path) {
    struct stat st {};
    if (::lstat(native(path).constData(), &st) != 0) return QStringLiteral("none");
    if (S_ISREG(st.st_mode)) return QStringLiteral("file");
    if (S_ISLNK(st.st_mode)) return QStringLiteral("link");
    if (S_ISFIFO(st.st_mode)) return QStringLiteral("pipe");
    if (S_ISSOCK(st.st_mode)) return QStringLiteral("socket");
    if (S_ISDIR(st.st_mode)) return QStringLiteral("folder");
    return QStringLiteral("device");
}

inline QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// A fresh folder in /tmp that everyone may write into, with the sticky bit
// of the temporary folder (mode 1777); removed with everything in it.
class SharedFolder {
  public:
    SharedFolder() {
        QByteArray pattern = "/tmp/tastolino-shared-XXXXXX";
        if (::mkdtemp(pattern.data()) != nullptr && ::chmod(pattern.constData(), 01777) == 0)
            path_ = QString::fromLocal8Bit(pattern);
    }
    ~SharedFolder() {
        if (!path_.isEmpty()) QDir(path_).removeRecursively();
    }
    bool isValid() const { return !path_.isEmpty(); }
    QString path() const { return path_; }
    QString filePath(const QString& name) const { return path_ + QLatin1Char('/') + name; }

  private:
    QString path_;
};

// Whether the test can act as another user: it runs as root and setpriv can
// switch to nobody.
inline bool canActAsNobody() {
    return ::geteuid() == 0 && !QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty();
}

// The command line that runs `program` as nobody.
inline QStringList asNobody(const QStringList& command) {
    return QStringList{QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                       QStringLiteral("--clear-groups")} +
           command;
}

// Runs a command as nobody and waits; its exit code, -1 when it did not run.
inline int runAsNobody(const QStringList& command) {
    QProcess p;
    p.start(QStandardPaths::findExecutable(QStringLiteral("setpriv")), asNobody(command));
    if (!p.waitForFinished(30000)) return -1;
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

// The planter (tests/support/planter.cpp) running beside the test.
class Planter {
  public:
    // `asNobody`: as another user through setpriv, else as the test's user.
    Planter(const QString& program, const QString& pattern, const QString& victim, int rounds,
            bool asNobody, const QString& mode = QStringLiteral("both")) {
        const QStringList args{pattern, victim, QString::number(rounds), mode};
        if (asNobody)
            process_.start(QStandardPaths::findExecutable(QStringLiteral("setpriv")),
                           planttest::asNobody(QStringList{program} + args));
        else
            process_.start(program, args);
        process_.waitForStarted();
    }
    // Polls without an event loop, where the state alone would never
    // change; once finished, waitForFinished says false again.
    bool running() {
        return process_.state() != QProcess::NotRunning && !process_.waitForFinished(0);
    }
    // Its last line; empty when it failed.
    QString finish() {
        process_.waitForFinished(120000);
        if (process_.exitStatus() != QProcess::NormalExit || process_.exitCode() != 0) return {};
        return QString::fromLocal8Bit(process_.readAllStandardOutput()).trimmed();
    }

  private:
    QProcess process_;
};

// "tried T, planted L links, F pipes; pipes destroyed D" -> T, L, F, D.
struct PlantCount {
    long tried = -1, links = -1, pipes = -1, destroyed = -1;
};
inline PlantCount parseCount(const QString& line) {
    PlantCount c;
    std::sscanf(line.toLocal8Bit().constData(),
                "tried %ld, planted %ld links, %ld pipes; pipes destroyed %ld", &c.tried, &c.links,
                &c.pipes, &c.destroyed);
    return c;
}

}  // namespace planttest
