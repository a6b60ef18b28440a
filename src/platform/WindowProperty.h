// A text that a window publishes for programs outside it to read, as a
// property of its X window (for example with `xprop -id <window> NAME`).
// Cheap, and nothing the user sees. Where there is no X display (offscreen,
// Wayland) nothing is published.
#pragma once

#include <QByteArray>

class QWidget;

namespace tastolino {

void PublishWindowProperty(QWidget* window, const char* name, const QByteArray& value);

}  // namespace tastolino
