// The checks made before the main window is shown: one running copy only,
// a screen of at least 800 x 600, and the size class of the screen.
#pragma once

#include <QSize>
#include <QString>

#include <memory>

class QLockFile;
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

// Holds the lock that marks the running copy of the program. A lock left
// behind by a copy that crashed is taken over.
class SingleInstance {
  public:
    // lockPath empty: "tastolino.lock" in the user's runtime folder, or in
    // the temporary folder when there is none.
    explicit SingleInstance(const QString& lockPath = {});
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process now owns the lock, or when no lock can be
    // made where it belongs; false only when another copy holds it.
    bool acquire();
    static QString defaultLockPath();

  private:
    QString lockPath_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace tastolino
