#include "platform/XkbKeyboard.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <cstdio>

namespace tastolino::xkb {

Display* display() {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app) return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
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
