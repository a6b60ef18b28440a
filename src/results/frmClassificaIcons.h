// The program's rating symbols: five per category, from the poorest (0) to
// the best (4). Icon numbers 420..424 are the beginner's set, 425..429 the
// expert's; 442 is the return arrow of the results window. Drawn in code so
// they stay sharp at any size.
#pragma once

#include <QPixmap>

namespace tastolino {

// Rating symbol or arrow `iconId` at `size` pixels square; a null pixmap
// for an unknown number.
QPixmap ratingIcon(int iconId, int size = 32);

// Heading band of level 1..3 (green, yellow, red), the size given.
QPixmap levelBand(int level, const QSize& size);

}  // namespace tastolino
