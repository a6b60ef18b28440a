#include "ui/GradientPanel.h"

#include "ui/modGradient.h"

#include <QPaintEvent>
#include <QPainter>

namespace tastolino {

GradientPanel::GradientPanel(Painter painter, QWidget* parent)
    : QWidget(parent), painter_(std::move(painter)) {
    // Everything is painted here; nothing of the parent needs to show through.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

GradientPanel::Painter GradientPanel::panelPainter() {
    return [](QPainter& p, const QSize& s) { PaintPanel(p, s); };
}

GradientPanel::Painter GradientPanel::themePainter(std::function<int()> theme) {
    return [theme = std::move(theme)](QPainter& p, const QSize& s) {
        PaintBackground(p, s, theme ? theme() : 0);
    };
}

GradientPanel::Painter GradientPanel::gradientPainter(uint32_t topLeft, uint32_t topRight,
                                                      uint32_t bottomLeft, uint32_t bottomRight,
                                                      bool halftone) {
    return [=](QPainter& p, const QSize& s) {
        PaintGradient(p, 0, 0, s.width(), s.height(), topLeft, topRight, bottomLeft, bottomRight,
                      halftone);
    };
}

void GradientPanel::setPainter(Painter painter) {
    painter_ = std::move(painter);
    invalidate();
}

void GradientPanel::setWholeTopRows(std::function<int(const QSize&)> rows) {
    wholeTopRows_ = std::move(rows);
    update();
}

void GradientPanel::setRowExact(bool exact) {
    rowExact_ = exact;
    update();
}

void GradientPanel::invalidate() {
    update();
}

void GradientPanel::paintEvent(QPaintEvent* event) {
    if (!painter_) return;
    QPainter p(this);
    const int topRows = wholeTopRows_ ? wholeTopRows_(size()) : 0;
    if (!rowExact_) {
        PaintRows(p, event->region(), size(), painter_, topRows);
        return;
    }
    const QRect top(0, 0, width(), topRows);
    const QRegion strip = event->region() & top;
    if (!strip.isEmpty()) PaintRows(p, strip, size(), painter_, topRows);
    const QRegion rest = event->region() - top;
    if (rest.isEmpty()) return;
    p.setClipRegion(rest);
    painter_(p, size());
}

}  // namespace tastolino
