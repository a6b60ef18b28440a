// Four-corner colour gradients, the background themes and the panel look.
// Colours are 0xBBGGRR values (red in the low byte), as stored in the
// settings file and used throughout the program.
#pragma once

#include "platform/BgrColour.h"

#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <functional>

class QPainter;
class QRegion;

namespace tastolino {

// One background theme: the four corners and the band across the middle.
struct ThemeColours {
    uint32_t c1;  // top-left
    uint32_t c2;  // top-right
    uint32_t c3;  // bottom-left
    uint32_t c4;  // bottom-right
    uint32_t c5;  // middle band
};

inline constexpr int kThemeCount = 11;

// The colours of `theme`; a number outside 0..10 gives theme 0.
const ThemeColours& ThemeColoursOf(int theme);

// The number of source columns (or rows) used for a target of `extent`
// pixels: 2^i - 1 for the smallest i >= 1 with 2^i > extent, at most 255.
int GradientSourceExtent(int extent);

// The small bitmap that is stretched onto the target: each channel is
// interpolated from the bottom edge upwards and from left to right, and
// truncated to a byte. Top-down, Format_RGB32.
QImage GradientSourceImage(int width, int height, uint32_t topLeft, uint32_t topRight,
                           uint32_t bottomLeft, uint32_t bottomRight);

// Stretches the source bitmap onto the rectangle; `halftone` smooths it.
// The last few source bitmaps are kept, so that repainting a part of a
// surface does not compute its gradient again.
void PaintGradient(QPainter& p, int x, int y, int width, int height, uint32_t topLeft,
                   uint32_t topRight, uint32_t bottomLeft, uint32_t bottomRight, bool halftone);

// Lets the kept source bitmaps go (a quarter megabyte each) once the
// windows have been painted; a later paint computes them again.
void ReleaseGradientSources();

// The part of `area` (in the painter's coordinates) that the painter can
// reach: inside its clip and its device. Drawing wholly outside it can be
// skipped. Under a rotation or scaling, the whole area.
QRect VisibleArea(const QPainter& p, const QRect& area);

// A whole window client area in the colours of `theme`: the lower half
// from the middle band down to the bottom corners, then the upper half from
// the top corners down to the middle band.
void PaintBackground(QPainter& p, const QSize& client, int theme);

// A panel: upper half white fading to light grey, lower half light grey.
void PaintPanel(QPainter& p, const QSize& client);

// A whole background as a picture (for windows that need it as one).
QPixmap BackgroundPixmap(const QSize& client, int theme);

// Repaints the part `region` of a surface of `size` that `paint` draws
// whole, without keeping a picture of the whole surface. The rows the
// region touches are drawn across the full width into a strip and copied:
// a stretched bitmap clipped at a side would be sampled from another
// starting point and differ in the last bit, while whole rows give every
// pixel exactly as a full paint does. The strip starts white. Antialiased
// edges depend on the strip's starting row as well: a strip that begins
// within the first `wholeTopRows` rows (where such edges lie) begins at the
// top edge.
void PaintRows(QPainter& target, const QRegion& region, const QSize& size,
               const std::function<void(QPainter&, const QSize&)>& paint, int wholeTopRows = 0);

}  // namespace tastolino
