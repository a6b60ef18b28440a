// Painting of the keyboard panel: the bevel rings on the canvas, the key
// faces with their captions, and the composition of a paint.
#include "keyboard/KeyArtwork.h"
#include "keyboard/KeySet.h"
#include "keyboard/KeyboardPanel.h"

#include "platform/ScreenScale.h"
#include "settings/InterfaceTexts.h"
#include "ui/Artwork.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <utility>

namespace tastolino {
namespace {

const QString kTextFamily = QStringLiteral("Liberation Sans");  // metrics of Arial
const QString kGlyphFamily = QStringLiteral("DejaVu Sans");     // has the key symbols

int clampComponent(int v) {
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

QColor offset(const QColor& c, int delta) {
    return QColor(clampComponent(c.red() + delta), clampComponent(c.green() + delta),
                  clampComponent(c.blue() + delta));
}

QFont captionFont(const QString& family, double points, bool large, bool bold) {
    QFont f(family);
    double px = points * 96.0 / 72.0;
    if (large) px *= largeScreenScale().font();
    f.setPixelSize(int(std::lround(px)));
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

// Places the lower line of a caption: as written when it fits; otherwise
// flush right, first without its leading blanks, then with single blanks.
// Returns the text and its x position.
std::pair<QString, int> fitLine(const QString& line, const QFontMetrics& fm, int pad, int width) {
    // One pixel more on the right: the ink of "}" or "@" reaches past the
    // advance.
    const int room = width - 2 * pad - 1;
    if (fm.horizontalAdvance(line) <= room) return {line, pad};
    QString text = line.trimmed();
    if (fm.horizontalAdvance(text) > room)
        text.replace(QRegularExpression(QStringLiteral(" {2,}")), QStringLiteral(" "));
    return {text, width - pad - 1 - fm.horizontalAdvance(text)};
}

}  // namespace

void KeyboardPanel::clearCanvas() {
    groundSize_ = size();
    ground_ = flat_ ? Qt::white : Qt::black;
    for (Rings& rings : rings_) rings.order = -1;
    enterSeam_.order = -1;
    update();
}

KeyboardPanel::Rings KeyboardPanel::ringsNow(const Key& k) {
    Rings rings;
    rings.order = drawOrder_++;
    rings.rect = k.rect;
    rings.colour = k.colour;
    rings.pressed = k.pressed;
    rings.flat = flat_;
    rings.depth = bevelDepth();
    return rings;
}

void KeyboardPanel::drawRings(int key) {
    if (groundSize_ != size()) clearCanvas();
    rings_[size_t(key)] = ringsNow(keys_[key]);
}

void KeyboardPanel::paintRings(QPainter& p, const Rings& rings) {
    const int L = rings.rect.x(), T = rings.rect.y();
    const int W = rings.rect.width(), H = rings.rect.height();
    for (int n = 0; n <= rings.depth; ++n) {
        // Ring n lies just outside ring n - 1: from (L - n - 1, T - n - 1)
        // to (L + W + n, T + H + n), both corners included.
        const QRect right(L + W + n, T - n - 1, 1, H + 2 * n + 1);
        const QRect bottom(L - n, T + H + n, W + 2 * n + 1, 1);
        const QRect left(L - n - 1, T - n, 1, H + 2 * n + 1);
        const QRect top(L - n - 1, T - n - 1, W + 2 * n + 1, 1);
        if (rings.flat) {
            const QColor frame = rings.pressed ? QColor(255, 0, 0) : QColor(0, 0, 0);
            for (const QRect& r : {right, bottom, left, top}) p.fillRect(r, frame);
            continue;
        }
        const QColor base = ColorFromBgr(rings.colour);
        QColor dark = offset(base, -15 - 15 * n);
        QColor light = offset(base, 15 + 15 * n);
        if (rings.pressed) std::swap(dark, light);
        // Right and bottom edge first; the light edges leave the top right
        // corner to the dark one and take the bottom left corner.
        p.fillRect(right, dark);
        p.fillRect(bottom, dark);
        p.fillRect(left, light);
        p.fillRect(top, light);
    }
}

const QImage& KeyboardPanel::ringPicture(const Rings& rings) {
    const RingLook look{rings.rect.size(), rings.colour, rings.pressed, rings.flat, rings.depth};
    for (const auto& [kept, picture] : ringPictures_)
        if (kept == look) return picture;
    const QRect bounds = rings.bounds();
    // Inside the rings lies the key's face, which is painted over every
    // ring, whichever key it belongs to: the picture is opaque, a copy.
    QImage picture(bounds.size(), QImage::Format_RGB32);
    picture.fill(ground_);
    QPainter p(&picture);
    p.translate(-bounds.topLeft());
    paintRings(p, rings);
    p.end();
    ringPictures_.emplace_back(look, KeptCopy(picture));
    return ringPictures_.back().second;
}

void KeyboardPanel::drawEnterSeam() {
    enterSeam_ = ringsNow(keys_[KeyEnterLower]);
    enterSeam_.seam = keys_[KeyEnterUpper].rect.bottom() + 1;
}

void KeyboardPanel::paintEnterSeam(QPainter& p, const Rings& lower) {
    // The two Enter parts form one L-shaped key: below the upper part the
    // outer (right) edge of the lower part runs on unbroken, and its inner
    // (left) edge meets the ledge of the upper part in a mitre.
    const int seam = lower.seam;
    const int L = lower.rect.x(), W = lower.rect.width(), B = lower.rect.bottom();
    const QColor base = ColorFromBgr(lower.colour);
    for (int n = 0; n <= lower.depth; ++n) {
        QColor dark = offset(base, -15 - 15 * n);
        QColor light = offset(base, 15 + 15 * n);
        if (lower.pressed) std::swap(dark, light);
        if (lower.flat) dark = light = lower.pressed ? QColor(255, 0, 0) : QColor(0, 0, 0);
        p.fillRect(QRect(L + W + n, seam, 1, B + n - seam + 1), dark);
        p.fillRect(QRect(L - n - 1, seam + n, 1, B + n - seam - n + 1), light);
    }
}

void KeyboardPanel::renderFace(int key) {
    Key& k = keys_[key];
    const QRect& r = k.rect;
    QImage face(r.size(), QImage::Format_RGB32);
    face.fill(ColorFromBgr(k.colour));
    QPainter p(&face);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(palette().color(QPalette::WindowText));
    const int pad = large_ ? 2 : 1;
    const KeyCaption caption = keyCaption(key);
    const double points = keyDef(key).fontPoints;

    switch (caption.kind) {
        case CaptionKind::Text: {
            p.setFont(captionFont(kTextFamily, points, large_, k.pressed));
            const QFontMetrics fm(p.font());
            QString first = caption.line1;
            QString second = caption.line2;
            // A one-line caption too wide for its key wraps at its blanks,
            // the way a label does ("M          µ").
            if (second.isEmpty() && fm.horizontalAdvance(first) > r.width() - 2 * pad &&
                first.trimmed().contains(QLatin1Char(' '))) {
                const QString trimmed = first.trimmed();
                const int cut = trimmed.indexOf(QLatin1Char(' '));
                second = trimmed.mid(cut).trimmed();
                first = trimmed.left(cut);
            }
            // The first line hangs from the top edge with room for the dots
            // of Ä, Ö and Ü: the same height on every key.
            const int umlautTop = fm.tightBoundingRect(QStringLiteral("\u00C4\u00D6\u00DC")).top();
            p.drawText(pad, std::max(fm.ascent() - 1, pad + 1 - umlautTop), first);
            if (!second.isEmpty()) {
                auto [text, x] = fitLine(second, fm, pad, r.width());
                // The wrapped part takes the place of an AltGr symbol.
                if (second != caption.line2) x = r.width() - pad - 1 - fm.horizontalAdvance(text);
                // Sit the line on the bottom edge by its ink, so that
                // accents and symbols without descenders stay low.
                const int below = std::max(0, fm.tightBoundingRect(text).bottom());
                p.drawText(x, r.height() - pad - 1 - below, text);
            }
            break;
        }
        case CaptionKind::Glyph: {
            p.setFont(captionFont(kGlyphFamily, points, large_, k.pressed));
            const QFontMetrics fm(p.font());
            // Near the top left corner, as printed on the keys.
            const QRect ink = fm.tightBoundingRect(caption.line1);
            const int x = pad + 2 - (caption.line1.startsWith(QLatin1Char(' ')) ? 0 : ink.x());
            p.drawText(x, 3 * pad - ink.y(), caption.line1);
            break;
        }
        case CaptionKind::Icon: {
            const int px = captionFont(kGlyphFamily, points, large_, false).pixelSize();
            const int side = int(std::lround(px * 0.9));
            p.drawImage(QPoint(pad + 2, 2 * pad + 1), svgImage(caption.line1, QSize(side, side)));
            break;
        }
    }
    p.end();
    // Kept with its paint engine: a copy without it would cost every
    // keystroke that changes a key, and faces go while nothing is typed.
    k.face = face;
}

void KeyboardPanel::paintEvent(QPaintEvent* event) {
    const QRegion& region = event->region();
    QPainter p(this);
    // The ground, then the rings that reach into the region in the order
    // they were drawn. A part within one key's rings needs no ground: they
    // fill their band, and the face covers what lies inside.
    std::array<const Rings*, 64> reaching{};
    size_t count = 0;
    for (const Rings& rings : rings_)
        if (rings.order >= 0 && region.intersects(rings.bounds())) reaching[count++] = &rings;
    for (const QRect& r : region) {
        const bool covered =
            std::any_of(reaching.begin(), reaching.begin() + std::ptrdiff_t(count),
                        [&r](const Rings* rings) { return rings->bounds().contains(r); });
        if (!covered) p.fillRect(r, ground_);
    }
    if (enterSeam_.order >= 0 && region.intersects(enterSeam_.bounds()))
        reaching[count++] = &enterSeam_;
    std::sort(reaching.begin(), reaching.begin() + std::ptrdiff_t(count),
              [](const Rings* a, const Rings* b) { return a->order < b->order; });
    for (size_t i = 0; i < count; ++i) {
        if (reaching[i] == &enterSeam_)
            paintEnterSeam(p, enterSeam_);
        else
            p.drawImage(reaching[i]->bounds().topLeft(), ringPicture(*reaching[i]));
    }

    for (int key = 0; key < kKeyCount; ++key) {
        if (!region.intersects(keys_[key].rect)) continue;
        if (keys_[key].face.isNull()) renderFace(key);
        p.drawImage(keys_[key].rect.topLeft(), keys_[key].face);
    }
    // The masks cover the seam between the two Enter parts.
    const QColor enterColour = ColorFromBgr(keys_[KeyEnterLower].colour);
    for (const QRect& m : masks_)
        if (region.intersects(m)) p.fillRect(m, enterColour);
    for (int line = 0; line < kRidgeLineCount; ++line)
        if (region.intersects(ridges_[line]))
            p.fillRect(ridges_[line], ColorFromBgr(ridgeColours_[line]));
    if (fingerIconsShown_) {
        for (int i = 0; i < kFingerIconCount; ++i)
            if (region.intersects(fingerIcons_[i]))
                p.drawImage(fingerIcons_[i].topLeft(),
                            svgImage(fingerIconResource(i), fingerIcons_[i].size()));
    }

    // The highlight shapes invert what lies beneath them; where two meet
    // (the next key and an Enter part) the pixels are inverted once.
    QRegion inverted;
    for (int s = 0; s < kHighlightShapeCount; ++s)
        if (shapeShown_[s]) inverted += shapes_[s];
    inverted &= region;
    if (!inverted.isEmpty()) {
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        for (const QRect& r : inverted) p.fillRect(r, Qt::white);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }

    if (keyErrorShown_ && region.intersects(keyErrorRect_))
        p.drawImage(keyErrorRect_.topLeft(), svgImage(kKeyErrorResource, keyErrorRect_.size()));
    if (capsMarkerShown_ && region.intersects(capsMarkerRect_))
        p.drawImage(capsMarkerRect_.topLeft(),
                    svgImage(kCapsLockMarkerResource, capsMarkerRect_.size()));
}

// --- The external key map --------------------------------------------------

KeyMapPicture::KeyMapPicture(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("imgMappaTastiEsterna"));
    setFixedSize(kSize);
    setToolTip(ItalianText(QStringLiteral("0032")));
    for (size_t i = 0; i < captions_.size(); ++i)
        captions_[i] = ItalianText(QStringLiteral("%1").arg(9030 + int(i)));
    setCursor(handCursor());
    // Placed by the keyboard panel; a picture keeps its size on large screens.
    setProperty("resizeKind", QStringLiteral("skip"));
}

void KeyMapPicture::setCaptions(const Captions& captions) {
    captions_ = captions;
    update();
}

namespace {

// A caption inside its box: on one line, or broken at blanks, in the
// largest size up to `pixels` that fits.
void drawFittedText(QPainter& p, const QRectF& box, const QString& text, int pixels, bool bold) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setBold(bold);
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    for (; pixels > 6; --pixels) {
        font.setPixelSize(pixels);
        const QRectF needed = QFontMetricsF(font).boundingRect(box, flags, text);
        if (needed.width() <= box.width() && needed.height() <= box.height()) break;
    }
    font.setPixelSize(pixels);
    p.setFont(font);
    p.drawText(box, flags, text);
}

}  // namespace

void KeyMapPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, svgImage(kKeyMapResource, kSize));
    p.setRenderHint(QPainter::TextAntialiasing);
    // The hands at either end, the fingers in their coloured boxes from the
    // left little finger to the right one.
    p.setPen(QColor(0x33, 0x33, 0x33));
    drawFittedText(p, QRectF(4, 4, 60, 39), captions_[0], 11, true);
    drawFittedText(p, QRectF(558, 4, 60, 39), captions_[1], 11, true);
    static const double lefts[9] = {66.5, 119.5, 172.5, 225.5, 278.5, 347.5, 400.5, 453.5, 506.5};
    static const int fingers[9] = {2, 3, 4, 5, 6, 5, 4, 3, 2};
    p.setPen(QColor(0x1D, 0x1D, 0x1D));
    for (int i = 0; i < 9; ++i) {
        const double width = i == 4 ? 64 : 48;
        drawFittedText(p, QRectF(lefts[i] + 1, 9.5, width - 2, 28), captions_[size_t(fingers[i])],
                       11, false);
    }
}

void KeyMapPicture::mouseDoubleClickEvent(QMouseEvent*) {
    emit doubleClicked();
}

}  // namespace tastolino
