#include "ui/modGradient.h"

#include "ui/Artwork.h"

#include <QColor>
#include <QPaintDevice>
#include <QPainter>
#include <QRegion>
#include <QTransform>

#include <algorithm>
#include <array>
#include <vector>

namespace tastolino {
namespace {

constexpr std::array<ThemeColours, kThemeCount> kThemes{{
    {0x367018, 0x65590B, 0x23D2E6, 0xFDFE78, 0xFFFFFF},
    {0x367018, 0x65590B, 0x17B3C4, 0xE1E103, 0xF5F500},
    {0xC08000, 0xC08000, 0x804000, 0x804000, 0xF5F500},
    {0x0000FF, 0x0000FF, 0x000064, 0x000064, 0xE0E0FF},
    {0x00E669, 0x00E669, 0x004000, 0x004000, 0xBEFFF6},
    {0xFF40BE, 0xFF40BE, 0x7E0059, 0x7E0059, 0xFFE4FF},
    {0x00FCFC, 0x00FCFC, 0x005353, 0x005353, 0xA8FFFF},
    {0xA8FFFF, 0xD4D4D4, 0x949494, 0x73A8A8, 0xDFDFDF},
    {0x80FFFF, 0xFFFF80, 0x8080FF, 0x000A7D, 0xF5F500},
    {0x000000, 0x000000, 0x000000, 0x000000, 0xF4F4F4},
    {0x000000, 0x000000, 0x000000, 0x000000, 0x000000},
}};

constexpr uint32_t kPanelTop = 0xFFFFFF;
constexpr uint32_t kPanelGrey = 0xDFDFDF;

struct Rgb {
    int r, g, b;
};

Rgb split(uint32_t bgr) {
    return {static_cast<int>(bgr & 0xFF), static_cast<int>((bgr & 0xFF00) / 256),
            static_cast<int>((bgr & 0xFF0000) / 65536)};
}

// One channel at step k of `count` steps from `from` towards `to`,
// truncated to a byte. The end value itself is reached only at k == count.
int channelAt(int from, int to, int count, int k) {
    const int diff = to - from;
    const double step = (diff == 0 || count == 0) ? 0.0 : static_cast<double>(diff) / count;
    const int value = static_cast<int>(from + step * k);
    return value < 0 ? 0 : (value > 255 ? 255 : value);
}

Rgb colourAt(const Rgb& from, const Rgb& to, int count, int k) {
    return {channelAt(from.r, to.r, count, k), channelAt(from.g, to.g, count, k),
            channelAt(from.b, to.b, count, k)};
}

// A few pictures kept by key, the most recently used last.
template <typename Key>
class KeptPictures {
  public:
    explicit KeptPictures(size_t capacity) : capacity_(capacity) {}
    template <typename Make>
    const QImage& get(const Key& key, Make make) {
        const auto found = std::find_if(kept_.begin(), kept_.end(),
                                        [&key](const auto& entry) { return entry.first == key; });
        if (found != kept_.end()) {
            std::rotate(found, found + 1, kept_.end());
            return kept_.back().second;
        }
        if (kept_.size() == capacity_) kept_.erase(kept_.begin());
        kept_.emplace_back(key, make());
        return kept_.back().second;
    }
    void clear() { kept_.clear(); }

  private:
    size_t capacity_;
    std::vector<std::pair<Key, QImage>> kept_;
};

struct SourceKey {
    int width, height;
    uint32_t topLeft, topRight, bottomLeft, bottomRight;
    bool operator==(const SourceKey&) const = default;
};

struct ColumnKey {
    int width, height;
    uint32_t top, bottom;
    bool halftone;
    bool operator==(const ColumnKey&) const = default;
};

// A gradient that changes across as well as down (the themes'
// backgrounds) is stretched from its source bitmap, which takes a while to
// compute: the last few are kept (at most 255 x 255 pixels each).
KeptPictures<SourceKey>& keptSources() {
    static KeptPictures<SourceKey> kept(4);
    return kept;
}

const QImage& keptSource(const SourceKey& key) {
    return keptSources().get(key, [&key] {
        return GradientSourceImage(key.width, key.height, key.topLeft, key.topRight, key.bottomLeft,
                                   key.bottomRight);
    });
}

// A gradient that changes only downwards has one colour per row: its
// source's columns are equal, and stretching equal neighbours across keeps
// them equal. The colours are those of the stretched bitmap itself, taken
// from its first column (a device one pixel wide computes nothing else);
// kept per size, a few bytes a row.
const QImage& keptRowColours(const ColumnKey& key) {
    static KeptPictures<ColumnKey> kept(16);
    return kept.get(key, [&key] {
        const QImage source =
            GradientSourceImage(key.width, key.height, key.top, key.top, key.bottom, key.bottom);
        QImage column(1, key.height, QImage::Format_RGB32);
        column.fill(Qt::white);
        QPainter p(&column);
        p.setRenderHint(QPainter::SmoothPixmapTransform, key.halftone);
        p.drawImage(QRect(0, 0, key.width, key.height), source);
        p.end();
        return KeptCopy(column);
    });
}

}  // namespace

void ReleaseGradientSources() {
    keptSources().clear();
}

const ThemeColours& ThemeColoursOf(int theme) {
    if (theme < 0 || theme >= kThemeCount) theme = 0;
    return kThemes[static_cast<size_t>(theme)];
}

int GradientSourceExtent(int extent) {
    if (extent >= 255) return 255;
    int power = 2;
    while (power <= extent) power *= 2;
    return power - 1;
}

QImage GradientSourceImage(int width, int height, uint32_t topLeft, uint32_t topRight,
                           uint32_t bottomLeft, uint32_t bottomRight) {
    const int sw = GradientSourceExtent(width);
    const int sh = GradientSourceExtent(height);
    const Rgb tl = split(topLeft), tr = split(topRight);
    const Rgb bl = split(bottomLeft), br = split(bottomRight);

    QImage image(sw, sh, QImage::Format_RGB32);
    // Row k counts from the bottom edge; the image is stored top-down.
    for (int k = 0; k < sh; ++k) {
        const Rgb left = colourAt(bl, tl, sh, k);
        const Rgb right = colourAt(br, tr, sh, k);
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(sh - 1 - k));
        if (left.r == right.r && left.g == right.g && left.b == right.b) {
            std::fill(line, line + sw, qRgb(left.r, left.g, left.b));
            continue;
        }
        for (int j = 0; j < sw; ++j) {
            const Rgb c = colourAt(left, right, sw, j);
            line[j] = qRgb(c.r, c.g, c.b);
        }
    }
    return image;
}

void PaintGradient(QPainter& p, int x, int y, int width, int height, uint32_t topLeft,
                   uint32_t topRight, uint32_t bottomLeft, uint32_t bottomRight, bool halftone) {
    if (width <= 0 || height <= 0) return;
    const bool wasSmooth = p.testRenderHint(QPainter::SmoothPixmapTransform);
    if (topLeft == topRight && bottomLeft == bottomRight) {
        // The row colours filled across, only the rows that can show.
        const QImage& rows = keptRowColours({width, height, topLeft, bottomLeft, halftone});
        const QRect shown = VisibleArea(p, QRect(x, y, width, height));
        const int first = shown.isEmpty() ? 0 : shown.top() - y;
        const int last = shown.isEmpty() ? 0 : shown.bottom() + 1 - y;
        // Neighbouring rows of one colour (most of a gentle gradient) are
        // filled together.
        for (int r = first; r < last;) {
            const QRgb colour = rows.pixel(0, r);
            int end = r + 1;
            while (end < last && rows.pixel(0, end) == colour) ++end;
            p.fillRect(x, y + r, width, end - r, QColor::fromRgb(colour));
            r = end;
        }
    } else {
        const QImage& source =
            keptSource({GradientSourceExtent(width), GradientSourceExtent(height), topLeft,
                        topRight, bottomLeft, bottomRight});
        p.setRenderHint(QPainter::SmoothPixmapTransform, halftone);
        p.drawImage(QRect(x, y, width, height), source);
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform, wasSmooth);
}

QRect VisibleArea(const QPainter& p, const QRect& area) {
    QRect shown = area;
    const QTransform& transform = p.worldTransform();
    if (transform.type() > QTransform::TxTranslate) return shown;
    if (p.hasClipping()) shown &= p.clipBoundingRect().toAlignedRect();
    if (const QPaintDevice* device = p.device())
        shown &=
            QRect(-int(transform.dx()), -int(transform.dy()), device->width(), device->height());
    return shown;
}

void PaintBackground(QPainter& p, const QSize& client, int theme) {
    const ThemeColours& t = ThemeColoursOf(theme);
    const int w = client.width();
    const int half = client.height() / 2;
    // The lower half takes the odd row, so the whole client area is covered.
    PaintGradient(p, 0, half, w, client.height() - half, t.c5, t.c5, t.c3, t.c4, true);
    PaintGradient(p, 0, 0, w, half, t.c1, t.c2, t.c5, t.c5, true);
}

void PaintPanel(QPainter& p, const QSize& client) {
    const int w = client.width();
    const int half = client.height() / 2;
    PaintGradient(p, 0, half, w, client.height() - half, kPanelGrey, kPanelGrey, kPanelGrey,
                  kPanelGrey, true);
    PaintGradient(p, 0, 0, w, half, kPanelTop, kPanelTop, kPanelGrey, kPanelGrey, true);
}

QPixmap BackgroundPixmap(const QSize& client, int theme) {
    if (client.isEmpty()) return {};
    QPixmap pixmap(client);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    PaintBackground(p, client, theme);
    return pixmap;
}

namespace {
constexpr int kStripRows = 64;
}  // namespace

void PaintRows(QPainter& target, const QRegion& region, const QSize& size,
               const std::function<void(QPainter&, const QSize&)>& paint, int wholeTopRows) {
    const QRect whole(QPoint(0, 0), size);
    // The row ranges the region touches, joined where they meet.
    std::vector<std::pair<int, int>> bands;
    for (const QRect& r : region) {
        const QRect inside = r & whole;
        if (!inside.isEmpty())
            bands.emplace_back(inside.top() < wholeTopRows ? 0 : inside.top(), inside.bottom());
    }
    std::sort(bands.begin(), bands.end());
    std::vector<std::pair<int, int>> joined;
    for (const auto& band : bands) {
        if (!joined.empty() && band.first <= joined.back().second + 1)
            joined.back().second = std::max(joined.back().second, band.second);
        else
            joined.push_back(band);
    }
    // Strips of a few rows at a time, so that even a whole window needs
    // little memory on the side; the first strip of a band that starts at
    // the top takes in every row of antialiased drawing there.
    const int stripRows = std::max(kStripRows, wholeTopRows);
    QImage strip;
    for (const auto& [top, bottom] : joined) {
        for (int from = top; from <= bottom; from += stripRows) {
            const int rows = std::min(stripRows, bottom - from + 1);
            if (strip.height() != rows) strip = QImage(size.width(), rows, QImage::Format_RGB32);
            strip.fill(Qt::white);
            {
                QPainter p(&strip);
                p.translate(0, -from);
                paint(p, size);
            }
            target.drawImage(QPoint(0, from), strip);
        }
    }
}

}  // namespace tastolino
