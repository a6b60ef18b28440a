#include "platform/WindowProperty.h"

#include "platform/XkbKeyboard.h"

#include <QWidget>
#include <QWindow>

// clang-format off
#include <X11/Xlib.h>
#include <X11/Xatom.h>
// clang-format on

namespace tastolino {

void PublishWindowProperty(QWidget* window, const char* name, const QByteArray& value) {
    if (!window) return;
    window = window->window();
    Display* dpy = xkb::display();
    if (!dpy || !window->windowHandle()) return;
    const auto id = static_cast<::Window>(window->winId());
    const Atom property = XInternAtom(dpy, name, False);
    const Atom utf8 = XInternAtom(dpy, "UTF8_STRING", False);
    XChangeProperty(dpy, id, property, utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(value.constData()), int(value.size()));
    XFlush(dpy);
}

}  // namespace tastolino
