#include "platform/WindowPlacement.h"

#include <QWidget>
#include <QWindow>

namespace tastolino {
namespace {

// Changes the flags of a top-level window. Before its native window exists
// the widget's flags are simply set. Afterwards the native window is told
// directly and the widget only records the change: setting the widget's
// flags would destroy and re-create the native window, which hides it.
void changeFlags(QWidget* window, Qt::WindowFlags flags) {
    if (flags == window->windowFlags()) return;
    QWindow* native = window->windowHandle();
    if (!native) {
        window->setWindowFlags(flags);
        return;
    }
    window->overrideWindowFlags(flags);
    native->setFlags(flags);
}

}  // namespace

void SetTopMost(QWidget* window, bool on) {
    if (!window) return;
    window = window->window();
    Qt::WindowFlags flags = window->windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, on);
    changeFlags(window, flags);
}

void SetDialogFrame(QWidget* window) {
    if (!window) return;
    window = window->window();
    Qt::WindowFlags flags = window->windowFlags();
    flags &= ~(Qt::WindowMinMaxButtonsHint | Qt::FramelessWindowHint);
    flags |= Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint;
    changeFlags(window, flags);
    window->update();
}

}  // namespace tastolino
