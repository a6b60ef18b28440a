#include "platform/FontEngines.h"

#include <QtGui/private/qfont_p.h>

namespace tastolino {

void ReleaseFontEngines() {
    // The cache is the thread's own; a font whose engine it drops loads it
    // again when next used, as after a change of the font database.
    QFontCache::instance()->clear();
}

}  // namespace tastolino
