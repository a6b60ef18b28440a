#include "keyboard/KeyboardPanel.h"

#include "keyboard/CharKeyMap.h"
#include "keyboard/KeySet.h"
#include "platform/ScreenScale.h"
#include "platform/Seams.h"
#include "platform/Sounds.h"
#include "settings/InterfaceTexts.h"
#include "ui/Artwork.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>

#include <cmath>

namespace tastolino {
namespace {

constexpr int kShapeDesignHeight = 33;
constexpr int kIconSize = 32;
constexpr int kFingerIconKeys[8] = {10, 11, 12, 13, 16, 17, 18, 19};
constexpr uint32_t kRidgeGrey = 0x808080;
constexpr uint32_t kRidgeWhite = 0xFFFFFF;

int clampComponent(int v) {
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

uint32_t shiftedBgr(uint32_t bgr, int delta) {
    const QColor c = ColorFromBgr(bgr);
    return bgrFromColour(QColor(clampComponent(c.red() + delta), clampComponent(c.green() + delta),
                                clampComponent(c.blue() + delta)));
}

}  // namespace

KeyboardPanel::KeyboardPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picKeyword"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    ergonomicTooltip_ = ItalianText(QStringLiteral("0119"));
    flatSwitchTooltip_ = ItalianText(QStringLiteral("0151"));
    ridgeColours_ = {kRidgeGrey, kRidgeWhite, kRidgeGrey, kRidgeWhite};

    keyMap_ = new KeyMapPicture(this);
    keyMap_->hide();
    connect(keyMap_, &KeyMapPicture::doubleClicked, this, &KeyboardPanel::onKeyMapDoubleClicked);

    resize(kDesignSize);
    rebuildGeometry();
    CreateHighlightShapes();
    PlaceFingerIcons();
    RedrawKeyboard();
}

KeyboardPanel::~KeyboardPanel() {
    // The key map may live in the main window; it goes with the panel.
    if (keyMap_ && keyMap_->parent() != this) delete keyMap_;
}

// --- Geometry --------------------------------------------------------------

QRect KeyboardPanel::scaled(const QRect& d) const {
    if (!large_) return d;
    return QRect(int(std::lround(d.x() * largeScreenScale().x)),
                 int(std::lround(d.y() * largeScreenScale().y)),
                 int(std::lround(d.width() * largeScreenScale().x)),
                 int(std::lround(d.height() * largeScreenScale().y)));
}

void KeyboardPanel::ReleaseFaces() {
    for (Key& k : keys_) k.face = QImage();
    ringPictures_.clear();
    ringPictures_.shrink_to_fit();
}

void KeyboardPanel::rebuildGeometry() {
    for (int k = 0; k < kKeyCount; ++k) {
        keys_[k].rect = scaled(designRect(k));
        keys_[k].face = QImage();
    }
    // The ridges stay one grey and one white pixel line, also when enlarged.
    auto ridgePair = [this](int line, int x1, int x2) {
        const QRect white = scaled(QRect(x1, 117, x2 - x1, 1));
        ridges_[line + 1] = QRect(white.x(), white.y(), white.width(), 1);
        ridges_[line] = ridges_[line + 1].translated(0, 1);
    };
    ridgePair(0, 190, 205);
    ridgePair(2, 306, 321);
    masks_[0] = scaled(QRect(535, 72, 53, 15));
    masks_[1] = scaled(QRect(528, 65, 8, 15));
}

void KeyboardPanel::setLargeScreen(bool on) {
    large_ = on;
    const QSize size = large_ ? QSize(int(std::lround(kDesignSize.width() * largeScreenScale().x)),
                                      int(std::lround(kDesignSize.height() * largeScreenScale().y)))
                              : kDesignSize;
    rebuildGeometry();
    CreateHighlightShapes();
    PlaceFingerIcons();
    if (this->size() != size) resize(size);  // the canvas is rebuilt on resize
    clearCanvas();
    for (int k = 0; k < kKeyCount; ++k) drawRings(k);
    drawEnterSeam();
    update();
}

void KeyboardPanel::resizeEvent(QResizeEvent*) {
    if (groundSize_ == size()) return;
    clearCanvas();
    for (int k = 0; k < kKeyCount; ++k) drawRings(k);
    drawEnterSeam();
}

QRect KeyboardPanel::keyRect(int key) const {
    return key >= 0 && key < kKeyCount ? keys_[key].rect : QRect();
}

QRect KeyboardPanel::outerRect(int key) const {
    const int b = bevelDepth() + 1;
    return keys_[key].rect.adjusted(-b, -b, b, b);
}

int KeyboardPanel::keyAt(const QPoint& p) const {
    for (int k = 0; k < kKeyCount; ++k)
        if (keys_[k].rect.contains(p)) return k;
    return -1;
}

bool KeyboardPanel::isKeyPressed(int key) const {
    return key >= 0 && key < kKeyCount && keys_[key].pressed;
}

QColor KeyboardPanel::keyColour(int key) const {
    return key >= 0 && key < kKeyCount ? ColorFromBgr(keys_[key].colour) : QColor();
}

bool KeyboardPanel::highlightShown(int shape) const {
    return shape >= 0 && shape < kHighlightShapeCount && shapeShown_[shape];
}

QRect KeyboardPanel::highlightRect(int shape) const {
    return shape >= 0 && shape < kHighlightShapeCount ? shapes_[shape] : QRect();
}

QRect KeyboardPanel::fingerIconRect(int icon) const {
    return icon >= 0 && icon < kFingerIconCount ? fingerIcons_[icon] : QRect();
}

QRect KeyboardPanel::ridgeRect(int line) const {
    return line >= 0 && line < kRidgeLineCount ? ridges_[line] : QRect();
}

QColor KeyboardPanel::ridgeColour(int line) const {
    return line >= 0 && line < kRidgeLineCount ? ColorFromBgr(ridgeColours_[line]) : QColor();
}

QRect KeyboardPanel::enterMaskRect(int mask) const {
    return mask >= 0 && mask < kEnterMaskCount ? masks_[mask] : QRect();
}

// --- Drawing operations ----------------------------------------------------

void KeyboardPanel::DrawKey(int key, bool released) {
    if (key < 0 || key >= kKeyCount) return;
    Key& k = keys_[key];
    if (k.pressed == released) k.face = QImage();  // the caption changes weight
    k.pressed = !released;
    drawRings(key);
    if (key == KeyEnterLower || key == KeyEnterUpper) {
        // The rings of each Enter part run into the other one.
        drawRings(KeyEnterUpper);
        drawEnterSeam();
        update(outerRect(KeyEnterLower));
        update(outerRect(KeyEnterUpper));
        return;
    }
    update(outerRect(key));
}

void KeyboardPanel::RedrawKeyboard() {
    for (int k = 0; k < kKeyCount; ++k) DrawKey(k, true);
    // Captions are fixed; faces are drawn again with them on the next paint.
}

void KeyboardPanel::setKeyColour(int key, uint32_t bgr) {
    Key& k = keys_[key];
    if (k.colour != bgr) k.face = QImage();
    k.colour = bgr;
}

void KeyboardPanel::ColorTasti() {
    for (int k = 0; k < kKeyCount; ++k) {
        setKeyColour(k, fingerColourBgr(k, ergonomicOn_));
        DrawKey(k, true);
    }
    SetRidgeColour(kColourIndex, 0);
    SetRidgeColour(kColourIndex, 2);
    if (!keyMap_ || keyMap_->isHidden()) ShowFingerIcons(true);
}

void KeyboardPanel::ShowHeatMap(const std::array<uint32_t, 63>& bgr,
                                const std::array<QString, 63>& tips) {
    keyTips_ = tips;
    for (int k = 0; k < kKeyCount; ++k) {
        setKeyColour(k, bgr[size_t(k)]);
        DrawKey(k, true);
    }
    SetRidgeColour(kColourNoFinger, 0);
    SetRidgeColour(kColourNoFinger, 2);
    ShowFingerIcons(false);
    if (keyMap_) keyMap_->hide();
}

QString KeyboardPanel::keyToolTip(int key) const {
    return key >= 0 && key < kKeyCount ? keyTips_[size_t(key)] : QString();
}

void KeyboardPanel::SetRidgeColour(uint32_t bgr, int line) {
    if (line < 0 || line + 1 >= kRidgeLineCount) return;
    ridgeColours_[line + 1] = shiftedBgr(bgr, 50);
    ridgeColours_[line] = shiftedBgr(bgr, -50);
    update(ridges_[line].united(ridges_[line + 1]));
}

void KeyboardPanel::CreateHighlightShapes() {
    const int height = scaled(QRect(0, 0, 1, kShapeDesignHeight)).height();
    for (int s = 0; s < kHighlightShapeCount; ++s) shapes_[s].setHeight(height);
    shapes_[2] = keys_[KeyEnterUpper].rect;
    shapes_[3] = keys_[KeyEnterLower].rect;
}

void KeyboardPanel::HideHighlights() {
    for (int s = 0; s < kHighlightShapeCount; ++s) {
        if (shapeShown_[s]) update(shapes_[s]);
        shapeShown_[s] = false;
    }
    HideWrongKeyMarker();
}

void KeyboardPanel::HideWrongKeyMarker() {
    if (keyErrorShown_) update(keyErrorRect_);
    keyErrorShown_ = false;
}

void KeyboardPanel::HighlightNextKey(const QString& ch, int position) {
    int code = -1;
    if (!ch.isEmpty()) {
        const char32_t cp = ch.at(0).isHighSurrogate() && ch.size() > 1
                                ? QChar::surrogateToUcs4(ch.at(0), ch.at(1))
                                : ch.at(0).unicode();
        const int entry = FindCharEntryForUnicode(cp);
        code = entry < 0 ? -1 : CharKeyMap()[entry].CharCode;
    }
    HighlightNextKeyCode(code, position);
}

void KeyboardPanel::HighlightNextKeyCode(int charCode, int position) {
    if (highlightOn_) HideHighlights();
    const int entry = charCode < 0 ? -1 : FindCharEntry(charCode);
    if (entry < 0) {
        if (freeTextMode_) return;
        emit untypeableCharacter();
        if (position > 1) emit positionAdvanced(position);
        DrawKey(KeyLeftShift, true);
        DrawKey(KeyRightShift, true);
        return;
    }

    if (fullRedrawPending_) {
        RedrawKeyboard();
        fullRedrawPending_ = false;
    } else {
        DrawKey(expectedKeyIndex_, true);
        DrawKey(KeyLeftShift, true);
        DrawKey(KeyRightShift, true);
    }

    const CharKeyEntry& e = CharKeyMap()[entry];
    const QRect& keyR = keys_[e.KeyNumber].rect;
    if (highlightOn_) {
        shapes_[0] = QRect(keyR.x(), keyR.y(), keyR.width(), shapes_[0].height());
        shapeShown_[0] = true;
        update(shapes_[0]);
    }
    DrawKey(e.KeyNumber, false);

    if (entry == kCarriageReturnEntry) {
        if (highlightOn_) {
            shapeShown_[2] = shapeShown_[3] = true;
            update(shapes_[2]);
            update(shapes_[3]);
        }
        DrawKey(KeyEnterUpper, false);
        update(masks_[0]);
        update(masks_[1]);
        fullRedrawPending_ = true;
    }

    if (position > 1) emit positionAdvanced(position);

    const int modifier = ModifierKeyFor(e.ShiftState);
    if (modifier >= 0) {
        if (highlightOn_) {
            const QRect& modR = keys_[modifier].rect;
            shapes_[1] = QRect(modR.x(), modR.y(), modR.width(), shapes_[1].height());
            shapeShown_[1] = true;
            update(shapes_[1]);
        }
        DrawKey(modifier, false);
        // AltGr is not among the keys released on the next step.
        if (modifier == KeyAltGr) fullRedrawPending_ = true;
    }
    expectedKeyIndex_ = e.KeyNumber;
}

void KeyboardPanel::MarkWrongKey(int charCode) {
    // The marker belongs to the guide: without highlighting it stays away.
    if (!highlightOn_) return;
    const int entry = FindCharEntry(charCode);
    if (entry < 0) return;
    const QRect& r = keys_[CharKeyMap()[entry].KeyNumber].rect;
    HideWrongKeyMarker();
    keyErrorRect_ = QRect(r.x() + r.width() / 2 - kIconSize / 2,
                          r.y() + r.height() / 2 - kIconSize / 2, kIconSize, kIconSize);
    keyErrorShown_ = true;
    update(keyErrorRect_);
}

void KeyboardPanel::ShowCapsLockMarker(bool visible) {
    const QRect& r = keys_[KeyCapsLock].rect;
    capsMarkerRect_ = QRect(r.x() + r.width() / 2 - kIconSize / 2,
                            r.y() + r.height() / 2 - kIconSize / 2, kIconSize, kIconSize);
    capsMarkerShown_ = visible;
    update(capsMarkerRect_);
}

void KeyboardPanel::PlaceFingerIcons() {
    // Enlarged keys take the icons fully inside their lower right corner.
    const int d = large_ ? 0 : 4;
    for (int i = 0; i < 8; ++i) {
        const QRect& r = keys_[kFingerIconKeys[i]].rect;
        fingerIcons_[i] = QRect(r.x() + r.width() - kIconSize + d,
                                r.y() + r.height() - kIconSize + d, kIconSize, kIconSize);
    }
    const QRect& space = keys_[KeySpace].rect;
    const int top = space.y() + space.height() - kIconSize;
    fingerIcons_[8] = QRect(space.x(), top, kIconSize, kIconSize);
    fingerIcons_[9] = QRect(space.x() + space.width() - kIconSize, top, kIconSize, kIconSize);
    if (fingerIconsShown_) update();
}

void KeyboardPanel::ShowFingerIcons(bool visible) {
    if (fingerIconsShown_ == visible) return;
    fingerIconsShown_ = visible;
    for (const QRect& r : fingerIcons_) update(r);
}

void KeyboardPanel::PlaceKeyMapPicture(const QRect& notebookArea) {
    PlaceKeyMapPictureAt(notebookArea.y() + notebookArea.height() + 5);
}

void KeyboardPanel::PlaceKeyMapPictureAt(int top) {
    if (!keyMap_) return;
    QWidget* host = window();
    if (host != this && keyMap_->parentWidget() != host) {
        const bool shown = !keyMap_->isHidden();
        keyMap_->setParent(host);
        keyMap_->setVisible(shown);
    }
    const int hostWidth = host == this ? width() : host->width();
    keyMap_->move((hostWidth - KeyMapPicture::kSize.width()) / 2, top);
    keyMap_->raise();
}

void KeyboardPanel::DrawEnterInvitation() {
    DrawKey(KeyEnterLower, false);
    DrawKey(KeyEnterUpper, false);
}

// --- Options ---------------------------------------------------------------

void KeyboardPanel::rehighlightAndInvite() {
    if (!expectedChar_.isEmpty()) HighlightNextKey(expectedChar_, 0);
    if (!exerciseRunning_) DrawEnterInvitation();
}

void KeyboardPanel::setFingerMapOn(bool on) {
    fingerMapOn_ = on;
    if (on) {
        ColorTasti();
    } else {
        for (int k = 0; k < kKeyCount; ++k) {
            setKeyColour(k, kColourNoFinger);
            DrawKey(k, true);
        }
        SetRidgeColour(kColourNoFinger, 0);
        SetRidgeColour(kColourNoFinger, 2);
        ShowFingerIcons(false);
        if (keyMap_) keyMap_->hide();
    }
    rehighlightAndInvite();
}

void KeyboardPanel::setErgonomicOn(bool on) {
    ergonomicOn_ = on;
    if (!fingerMapOn_) return;
    ColorTasti();
    rehighlightAndInvite();
}

void KeyboardPanel::setFlatKeyboardOn(bool on) {
    flat_ = on;
    clearCanvas();
    RedrawKeyboard();
    if (!exerciseRunning_) DrawEnterInvitation();
    update();
}

void KeyboardPanel::setHighlightOn(bool on) {
    highlightOn_ = on;
    if (!on)
        HideHighlights();
    else if (!expectedChar_.isEmpty())
        HighlightNextKey(expectedChar_, 0);
}

// --- Mouse -----------------------------------------------------------------

int KeyboardPanel::fingerIconAt(const QPoint& p) const {
    if (!fingerIconsShown_) return -1;
    for (int i = kFingerIconCount - 1; i >= 0; --i)
        if (fingerIcons_[i].contains(p)) return i;
    return -1;
}

void KeyboardPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (fingerIconAt(p) >= 0) {
        ShowFingerIcons(false);
        if (keyMap_) keyMap_->show();
        if (!expectedChar_.isEmpty()) HighlightNextKey(expectedChar_, 0);
        return;
    }
    const int key = keyAt(p);
    if (key == KeyB && fingerMapOn_) {
        setErgonomicOn(!ergonomicOn_);
        playSoundIf(soundOn_, Sound::FingerDivision);
        emit ergonomicToggled(ergonomicOn_);
    } else if (key == KeyMenu && key37Enabled_) {
        setFlatKeyboardOn(!flat_);
        emit flatKeyboardToggled(flat_);
    }
}

void KeyboardPanel::onKeyMapDoubleClicked() {
    keyMap_->hide();
    ShowFingerIcons(true);
}

void KeyboardPanel::updateCursorAt(const QPoint& p) {
    const int key = keyAt(p);
    const bool hand =
        fingerIconAt(p) >= 0 || (key == KeyMenu && key37Enabled_) || (key == KeyB && fingerMapOn_);
    if (hand)
        setCursor(handCursor());
    else
        unsetCursor();
}

void KeyboardPanel::mouseMoveEvent(QMouseEvent* event) {
    updateCursorAt(event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}

bool KeyboardPanel::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int icon = fingerIconAt(help->pos());
        const int key = keyAt(help->pos());
        QString tip;
        QRect area;
        if (icon >= 0) {
            tip = fingerIconTooltip_;
            area = fingerIcons_[icon];
        } else if (key >= 0) {
            if (key == KeyMenu) tip = flatSwitchTooltip_;
            if (key == KeyB && fingerMapOn_) tip = ergonomicTooltip_;
            if (!keyTips_[size_t(key)].isEmpty()) tip = keyTips_[size_t(key)];
            area = keys_[key].rect;
        }
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this, area);
        return true;
    }
    return QWidget::event(event);
}

}  // namespace tastolino
