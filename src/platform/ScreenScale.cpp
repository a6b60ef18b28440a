#include "platform/ScreenScale.h"

#include "platform/SeamReset.h"

#include <algorithm>

namespace tastolino {

ScreenScale ScaleForScreen(const QSize& screen) {
    ScreenScale scale;
    if (screen.width() > 0) scale.x = std::min(scale.x, screen.width() / 800.0);
    if (screen.height() > 0) scale.y = std::min(scale.y, screen.height() / 600.0);
    scale.x = std::max(scale.x, 1.0);
    scale.y = std::max(scale.y, 1.0);
    return scale;
}

ScreenScale& largeScreenScale() {
    static ScreenScale scale;
    return scale;
}

namespace {
[[maybe_unused]] const bool scaleResetRegistered =
    seams::registerReset([] { largeScreenScale() = ScreenScale{}; });
}  // namespace

}  // namespace tastolino
