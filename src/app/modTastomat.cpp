#include "app/modTastomat.h"

#include "platform/Seams.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QWidget>

namespace tastolino {

namespace {

int lastSeparator(const QString& path) {
    return std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
}

// Shows the window again after a change of its flags, which hides it.
void reapplyFlags(QWidget* window, Qt::WindowFlags flags) {
    const bool wasVisible = window->isVisible();
    window->setWindowFlags(flags);
    if (wasVisible) window->show();
}

}  // namespace

void PlaySoundResource(int id) {
    seams::playSound(id);
    QCoreApplication::processEvents();
}

bool FileExists(const QString& path) {
    if (path.isEmpty()) return false;
    QFile file(path);
    const bool ok = file.open(QIODevice::ReadOnly);
    file.close();
    return ok;
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

void SetTopMost(QWidget* window, bool on) {
    if (!window) return;
    window = window->window();
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on) return;
    const QPoint pos = window->pos();
    Qt::WindowFlags flags = window->windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, on);
    reapplyFlags(window, flags);
    window->move(pos);
}

void SetDialogFrame(QWidget* window) {
    if (!window) return;
    window = window->window();
    Qt::WindowFlags flags = window->windowFlags();
    flags &= ~(Qt::WindowMinMaxButtonsHint | Qt::FramelessWindowHint);
    flags |= Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint;
    if (flags != window->windowFlags()) reapplyFlags(window, flags);
    window->update();
}

bool PrinterAvailable() {
    return seams::printerAvailable();
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
