// X keyboard extension access: Caps Lock and the keyboard layout groups.
// Every function degrades quietly when there is no X display (offscreen,
// Wayland): state reads report false/empty, changes do nothing.
#pragma once

#include <QString>
#include <QStringList>

using Display = struct _XDisplay;

namespace tastolino::xkb {

// The X display of the running application, or null.
Display* display();

bool capsLockOn();
void switchCapsLockOff();

}  // namespace tastolino::xkb
