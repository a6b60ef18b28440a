// The program's pictures: SVG resources rendered at the size they are shown
// at, and the hand cursor.
#pragma once

#include <QCursor>
#include <QImage>
#include <QString>

namespace tastolino {

// Renders an SVG resource into an image of `size` (cached).
QImage svgImage(const QString& resource, const QSize& size);

// The program's hand cursor, for controls that react to clicks.
const QCursor& handCursor();

// What was painted into `painted`, without the paint engine that a QImage
// once painted on keeps for as long as it lives (kilobytes each): for
// pictures that are kept.
QImage KeptCopy(const QImage& painted);

}  // namespace tastolino
