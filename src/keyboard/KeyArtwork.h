// The keyboard's pictures: SVG icons of the program rendered at the size
// they are shown at, and the hand cursor.
#pragma once

#include <QCursor>
#include <QImage>
#include <QString>

namespace tastolino {

// Renders an SVG resource into an image of `size` (cached).
QImage svgImage(const QString& resource, const QSize& size);

// The finger icon i (0 left little ... 7 right little, 8 left thumb, 9 right
// thumb), 32 x 32.
QString fingerIconResource(int icon);
inline const QString kKeyErrorResource = QStringLiteral(":/keyboard/key_error.svg");
inline const QString kCapsLockMarkerResource = QStringLiteral(":/keyboard/caps_marker.svg");
inline const QString kKeyMapResource = QStringLiteral(":/keyboard/key_map.svg");

// The program's hand cursor, for controls that react to clicks.
const QCursor& handCursor();

}  // namespace tastolino
