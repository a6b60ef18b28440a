#include "ui/BlinkPicture.h"

#include <QPainter>

namespace tastolino {

BlinkPicture::BlinkPicture(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void BlinkPicture::setPixmap(const QPixmap& pixmap) {
    pixmap_ = pixmap;
    update();
}

void BlinkPicture::setLit(bool lit) {
    if (lit == lit_) return;
    lit_ = lit;
    update();
}

void BlinkPicture::paintEvent(QPaintEvent*) {
    if (!lit_) return;
    QPainter p(this);
    p.drawPixmap(0, 0, pixmap_);
}

}  // namespace tastolino
