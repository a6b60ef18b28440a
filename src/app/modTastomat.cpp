#include "app/modTastomat.h"

#include "exercise/AppState.h"
#include "platform/Seams.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>

namespace tastolino {

namespace {

int lastSeparator(const QString& path) {
    return std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
}

}  // namespace

void PlaySoundResource(Sound sound) {
    if (playSoundIfOn(sound)) QCoreApplication::processEvents();
}

QString FileNameOf(const QString& path) {
    const int sep = lastSeparator(path);
    if (sep < 0) return {};
    return path.mid(sep + 1);
}

QString FileTitle(const QString& path) {
    const QString name = FileNameOf(path);
    const int dot = name.indexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

bool IsKeyToggledOrDown(int virtualKey) {
    return virtualKey == kVkCapital && seams::capsLockOn();
}

void SwitchCapsLockOff() {
    seams::switchCapsLockOff();
}

bool IsWindows2000OrLater() {
    // Offscreen and minimal platforms cannot make a window translucent.
    const QString platform = QGuiApplication::platformName();
    return !platform.isEmpty() && platform != QLatin1String("offscreen") &&
           platform != QLatin1String("minimal");
}

}  // namespace tastolino
