// The design keeps colours as 24-bit values laid out 0xBBGGRR (red in the
// low byte), as Windows does.
#pragma once

#include <QColor>

#include <cstdint>

namespace tastolino {

inline QColor ColorFromBgr(uint32_t bgr) {
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

}  // namespace tastolino
