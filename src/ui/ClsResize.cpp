#include "ui/ClsResize.h"

#include "platform/ScreenScale.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLayout>

#include <cmath>

namespace tastolino {
namespace {

const char* const kKindProperty = "resizeKind";

int scaled(int value, double factor) {
    return static_cast<int>(std::lround(value * factor));
}

bool isOwnedPart(const QWidget* w) {
    return w->isWindow() || w->objectName().startsWith(QLatin1String("qt_"));
}

// Compound widgets place their inner parts themselves.
bool placesOwnChildren(const QWidget* w) {
    return qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w);
}

QString kindOf(const QWidget* w) {
    return w->property(kKindProperty).toString();
}

}  // namespace

double ClsResize::fontFactor() {
    return largeScreenScale().font();
}

void ClsResize::SetLine(QWidget* line, int x1, int y1, int x2, int y2) {
    if (!line) return;
    line->setProperty(kKindProperty, QStringLiteral("line"));
    line->setProperty("x1", x1);
    line->setProperty("y1", y1);
    line->setProperty("x2", x2);
    line->setProperty("y2", y2);
    const int left = std::min(x1, x2), top = std::min(y1, y2);
    line->setGeometry(left, top, std::max(1, std::abs(x2 - x1) + 1),
                      std::max(1, std::abs(y2 - y1) + 1));
}

bool ClsResize::HasControls() const {
    if (!form_) return false;
    for (QObject* child : form_->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && !isOwnedPart(w)) return true;
    }
    return false;
}

void ClsResize::CaptureChildren(QWidget* parent) {
    const bool laidOut = parent->layout() != nullptr;
    for (QObject* child : parent->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || isOwnedPart(w)) continue;
        const QString kind = kindOf(w);
        if (kind == QLatin1String("skip")) continue;
        if (!laidOut) {
            Record r;
            r.widget = w;
            if (kind == QLatin1String("line")) {
                r.kind = Kind::Line;
                r.a = w->property("x1").toInt();
                r.b = w->property("y1").toInt();
                r.c = w->property("x2").toInt();
                r.d = w->property("y2").toInt();
            } else {
                r.kind = kind == QLatin1String("image") ? Kind::Image : Kind::Control;
                const QRect g = w->geometry();
                r.a = g.x();
                r.b = g.y();
                r.c = g.width();
                r.d = g.height();
                r.pointSize = w->font().pointSizeF();
                r.pixelSize = w->font().pixelSize();
            }
            records_.push_back(r);
        }
        if (!placesOwnChildren(w)) CaptureChildren(w);
    }
}

void ClsResize::Capture() {
    records_.clear();
    if (form_) {
        designSize_ = form_->size();
        CaptureChildren(form_);
    }
    captureNeeded_ = false;
}

void ClsResize::SizeFormToScreen() {
    if (captureNeeded_) Capture();
    ResizeControls();
}

void ClsResize::ResizeControls() {
    if (!HasControls() || form_->isMinimized()) return;
    if (captureNeeded_) {
        Capture();
        return;
    }
    const bool wasEnabled = form_->updatesEnabled();
    form_->setUpdatesEnabled(false);
    const double fontFactor = ClsResize::fontFactor();
    for (const Record& r : records_) {
        QWidget* w = r.widget;
        if (!w) continue;  // destroyed since the capture
        switch (r.kind) {
            case Kind::Line:
                SetLine(w, scaled(r.a, largeScreenScale().x), scaled(r.b, largeScreenScale().y),
                        scaled(r.c, largeScreenScale().x), scaled(r.d, largeScreenScale().y));
                break;
            case Kind::Image:
                w->setGeometry(scaled(r.a, largeScreenScale().x) + kImageOffset,
                               scaled(r.b, largeScreenScale().y) + kImageOffset, r.c, r.d);
                break;
            case Kind::Control: {
                w->setGeometry(scaled(r.a, largeScreenScale().x), scaled(r.b, largeScreenScale().y),
                               scaled(r.c, largeScreenScale().x),
                               scaled(r.d, largeScreenScale().y));
                QFont font = w->font();
                if (r.pointSize > 0) {
                    font.setPointSizeF(r.pointSize * fontFactor);
                } else if (r.pixelSize > 0) {
                    font.setPixelSize(std::max(1, scaled(r.pixelSize, fontFactor)));
                }
                w->setFont(font);
                break;
            }
        }
    }
    form_->setUpdatesEnabled(wasEnabled);
}

}  // namespace tastolino
