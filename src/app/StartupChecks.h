// The checks made before the main window is shown: one running copy only,
// a screen of at least 800 x 600, and the size class of the screen.
#pragma once

#include <QSize>
#include <QString>

class QWidget;

namespace tastolino {

// The text shown when the screen is smaller than 800 x 600.
QString ResolutionMessage();

bool ScreenLargeEnough(const QSize& screen);
// Wider than 1000 or taller than 750 pixels.
bool IsLargeScreen(const QSize& screen);

// Looks at the screen through the seams; when it is too small tells the
// user and returns false, and the program must end.
bool CheckScreen(QWidget* parent = nullptr);

// Holds the lock that marks the running copy of the program: a file locked
// with flock, so that the lock goes with the process however it ends.
//
// The lock file lies in a folder of the user's alone: the runtime folder,
// or else "tastolino-<user id>" in the temporary folder, made mode 0700. A
// folder that is not the user's own or that others can enter, and a lock
// file that is a link, a named pipe or anything but a regular file of the
// user's, are not used: in a folder others can write, someone could keep
// the program from starting or have it write where they choose.
class SingleInstance {
  public:
    enum class Lock {
        Taken,
        RunningCopy,  // another copy holds it
        Unavailable,  // no lock can be taken where it belongs
    };

    // lockPath empty: defaultLockPath().
    explicit SingleInstance(const QString& lockPath = {});
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Never waits, whatever lies at the lock's place.
    Lock acquire();
    // The folder of the lock file, for telling the user.
    QString folder() const;
    static QString defaultLockPath();

  private:
    QString lockPath_;
    int fd_ = -1;
};

}  // namespace tastolino
