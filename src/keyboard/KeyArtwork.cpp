#include "keyboard/KeyArtwork.h"

namespace tastolino {

QString fingerIconResource(int icon) {
    return QStringLiteral(":/keyboard/finger%1.svg").arg(icon);
}

}  // namespace tastolino
