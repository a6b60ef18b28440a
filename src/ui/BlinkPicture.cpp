#include "ui/BlinkPicture.h"

#include "platform/ServerPictures.h"

#include <QBackingStore>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

namespace tastolino {

BlinkPicture::BlinkPicture(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

BlinkPicture::~BlinkPicture() = default;

void BlinkPicture::setPixmap(const QPixmap& pixmap) {
    pixmap_ = pixmap;
    forgetLooks();
    update();
}

void BlinkPicture::setLit(bool lit) {
    if (lit == lit_) return;
    lit_ = lit;
    if (showKept()) return;
    repaintAndKeep();
}

QRect BlinkPicture::rectInWindow() const {
    return QRect(mapTo(window(), QPoint(0, 0)), size());
}

bool BlinkPicture::showKept() {
    if (!server_ || !kept_[lit_ ? 1 : 0] || !isVisible()) return false;
    if (!server_->isFor(this) || rectInWindow() != keptRect_) {
        forgetLooks();
        return false;
    }
    const QWindow* handle = window()->windowHandle();
    // Not when another widget covers part of it, nor while the window is
    // not on the screen: there the toolkit paints later, as it should.
    if (!handle || !handle->isExposed() || visibleRegion() != QRegion(rect())) return false;
    server_->show(lit_ ? 1 : 0, keptRect_.topLeft());
    windowPictureBehind_ = true;
    ++serverBlinks_;
    return true;
}

void BlinkPicture::repaintAndKeep() {
    const QWindow* handle = window()->windowHandle();
    if (!isVisible() || !handle || !handle->isExposed() ||
        window()->internalWinId() == noServerFor_) {
        update();
        return;
    }
    // Painted and on the screen when repaint() returns; the window's own
    // picture then holds this look.
    selfPainting_ = true;
    paintedNow_ = false;
    repaint();
    selfPainting_ = false;
    if (paintedNow_) keepPainted();
}

void BlinkPicture::keepPainted() {
    QWidget* top = window();
    QBackingStore* store = top->backingStore();
    const QPaintDevice* device = store ? store->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image || top->devicePixelRatioF() != 1.0) return;
    const auto* picture = static_cast<const QImage*>(device);
    const QRect here = rectInWindow();
    if (picture->devicePixelRatio() != 1.0 || !picture->rect().contains(here)) return;
    if (!server_ || !server_->isFor(this)) {
        forgetLooks();
        server_ = ServerPictures::forWindow(this);
        if (!server_) {
            noServerFor_ = top->internalWinId();
            return;
        }
        watchWhatLiesBeneath();
    }
    if (here != keptRect_) {
        kept_ = {};
        keptRect_ = here;
    }
    const int look = lit_ ? 1 : 0;
    kept_[size_t(look)] = server_->keep(look, picture->copy(here));
}

// Everything painted in the picture's rectangle paints the widgets beneath
// it there (the picture is not opaque), and an expose shows the window's
// own picture again.
void BlinkPicture::watchWhatLiesBeneath() {
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        w->removeEventFilter(this);
        w->installEventFilter(this);
        if (w->isWindow()) break;
    }
    if (QWindow* handle = window()->windowHandle()) {
        handle->removeEventFilter(this);
        handle->installEventFilter(this);
    }
}

bool BlinkPicture::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && watched->isWidgetType()) {
        auto* beneath = static_cast<QWidget*>(watched);
        const QRegion painted = static_cast<QPaintEvent*>(event)->region();
        const QRect mine = QRect(mapTo(beneath, QPoint(0, 0)), size()) & beneath->rect();
        // While the picture repaints itself, what is painted within its own
        // rectangle is its own doing.
        if (painted.intersects(mine) && !(selfPainting_ && painted.subtracted(mine).isEmpty()))
            kept_ = {};
    } else if (event->type() == QEvent::Expose && windowPictureBehind_) {
        update();
    }
    return false;
}

void BlinkPicture::forgetLooks() {
    kept_ = {};
}

void BlinkPicture::paintEvent(QPaintEvent* event) {
    if (selfPainting_) {
        paintedNow_ = true;
    } else {
        forgetLooks();
    }
    if (QRegion(rect()).subtracted(event->region()).isEmpty()) windowPictureBehind_ = false;
    if (!lit_) return;
    QPainter p(this);
    p.drawPixmap(0, 0, pixmap_);
}

}  // namespace tastolino
