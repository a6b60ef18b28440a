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
    return [](QPainter& p, const QSize& s) { p.drawPixmap(0, 0, PanelPixmap(s)); };
}

GradientPanel::Painter GradientPanel::themePainter(std::function<int()> theme) {
    return [theme = std::move(theme)](QPainter& p, const QSize& s) {
        p.drawPixmap(0, 0, BackgroundPixmap(s, theme ? theme() : 0));
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

void GradientPanel::invalidate() {
    picture_ = QPixmap();
    update();
}

void GradientPanel::paintEvent(QPaintEvent* event) {
    if (picture_.size() != size() && !size().isEmpty()) {
        picture_ = QPixmap(size());
        picture_.fill(Qt::white);
        if (painter_) {
            QPainter p(&picture_);
            painter_(p, size());
        }
    }
    QPainter p(this);
    p.drawPixmap(event->rect(), picture_, event->rect());
}

}  // namespace tastolino
