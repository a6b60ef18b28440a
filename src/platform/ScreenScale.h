// How much the 800 x 600 design grows on a large screen: 1.41 across and
// 1.31 down, fonts by the square root of the across factor. Screens just
// past the large-screen threshold (1024 x 768) have no room for the full
// enlargement; there each factor shrinks to what the screen holds, so no
// control ends up off screen.
#pragma once

#include <QSize>

#include <cmath>

namespace tastolino {

struct ScreenScale {
    static constexpr double kFullX = 1.41;
    static constexpr double kFullY = 1.31;
    double x = kFullX;
    double y = kFullY;
    double font() const { return std::sqrt(x); }
};

// The factors for a screen of the given size in pixels.
ScreenScale ScaleForScreen(const QSize& screen);

// The factors of this run: set at start-up, the full factors until then.
ScreenScale& largeScreenScale();

}  // namespace tastolino
