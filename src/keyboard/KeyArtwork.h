// The keyboard's pictures: the finger icons and the markers drawn on the
// keys, as SVG resources (rendered with ui/Artwork.h).
#pragma once

#include <QString>

namespace tastolino {

// The finger icon i (0 left little ... 7 right little, 8 left thumb, 9 right
// thumb), 32 x 32.
QString fingerIconResource(int icon);
inline const QString kKeyErrorResource = QStringLiteral(":/keyboard/key_error.svg");
inline const QString kCapsLockMarkerResource = QStringLiteral(":/keyboard/caps_marker.svg");
inline const QString kKeyMapResource = QStringLiteral(":/keyboard/key_map.svg");

}  // namespace tastolino
