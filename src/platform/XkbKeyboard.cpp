#include "platform/XkbKeyboard.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <cstdio>

namespace tastolino::xkb {

Display* display() {
    // Asked at every blink of the Enter invitation: the application's
    // connection is looked up once per application object.
    static const QCoreApplication* askedOf = nullptr;
    static Display* connection = nullptr;
    const QCoreApplication* instance = QCoreApplication::instance();
    if (instance != askedOf) {
        askedOf = instance;
        connection = nullptr;
        if (auto* app = qobject_cast<const QGuiApplication*>(instance)) {
            auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
            connection = x11 ? x11->display() : nullptr;
        }
    }
    return connection;
}

bool capsLockOn() {
    Display* dpy = display();
    if (!dpy) return false;
    XkbStateRec st;
    if (XkbGetState(dpy, XkbUseCoreKbd, &st) != Success) return false;
    return (st.locked_mods & LockMask) != 0;
}

void switchCapsLockOff() {
    Display* dpy = display();
    if (!dpy) return;
    XkbLockModifiers(dpy, XkbUseCoreKbd, LockMask, 0);
    XFlush(dpy);
}

}  // namespace tastolino::xkb
