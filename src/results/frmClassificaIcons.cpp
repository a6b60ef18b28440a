#include "results/frmClassificaIcons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include <cmath>

namespace tastolino {
namespace {

// From the poorest rating to the best.
const QColor kRamp[5] = {QColor(0xd6, 0x45, 0x3d), QColor(0xee, 0x8a, 0x2e),
                         QColor(0xf2, 0xc7, 0x2c), QColor(0x8c, 0xc6, 0x3f),
                         QColor(0x2e, 0xa0, 0x4a)};

QPolygonF star(QPointF centre, double outer, double inner) {
    QPolygonF p;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 ? inner : outer;
        const double a = -M_PI / 2 + i * M_PI / 5;
        p << centre + QPointF(r * std::cos(a), r * std::sin(a));
    }
    return p;
}

// Beginner: a round face whose mouth turns from a frown into a wide smile.
void paintFace(QPainter& p, int k) {
    QRadialGradient fill(QPointF(38, 34), 60);
    fill.setColorAt(0, kRamp[k].lighter(150));
    fill.setColorAt(1, kRamp[k]);
    p.setPen(QPen(kRamp[k].darker(160), 3));
    p.setBrush(fill);
    p.drawEllipse(QRectF(6, 6, 88, 88));
    p.setBrush(QColor(40, 40, 40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(31, 32, 10, 13));
    p.drawEllipse(QRectF(59, 32, 10, 13));
    // Mouth: the control point moves from above the corners (frown) to
    // well below them (smile).
    const double bend = -18 + k * 11;
    QPainterPath mouth(QPointF(28, 66));
    mouth.quadTo(QPointF(50, 66 + bend), QPointF(72, 66));
    p.setPen(QPen(QColor(40, 40, 40), 5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(mouth);
}

// Expert: a shield carrying one to five stars.
void paintShield(QPainter& p, int k) {
    QPainterPath shield(QPointF(50, 4));
    shield.cubicTo(QPointF(68, 12), QPointF(84, 12), QPointF(92, 12));
    shield.cubicTo(QPointF(92, 56), QPointF(76, 82), QPointF(50, 96));
    shield.cubicTo(QPointF(24, 82), QPointF(8, 56), QPointF(8, 12));
    shield.cubicTo(QPointF(16, 12), QPointF(32, 12), QPointF(50, 4));
    QLinearGradient fill(0, 0, 0, 100);
    fill.setColorAt(0, kRamp[k].lighter(140));
    fill.setColorAt(1, kRamp[k].darker(130));
    p.setPen(QPen(QColor(60, 60, 70), 3));
    p.setBrush(fill);
    p.drawPath(shield);
    p.setPen(QPen(QColor(120, 90, 0), 1));
    p.setBrush(QColor(255, 236, 120));
    const int stars = k + 1;
    static const QPointF spots[5][5] = {
        {{50, 48}},
        {{36, 48}, {64, 48}},
        {{50, 32}, {34, 58}, {66, 58}},
        {{36, 34}, {64, 34}, {36, 62}, {64, 62}},
        {{50, 28}, {30, 44}, {70, 44}, {38, 68}, {62, 68}},
    };
    const double outer = stars == 1 ? 22 : 11;
    for (int i = 0; i < stars; ++i) p.drawPolygon(star(spots[stars - 1][i], outer, outer * 0.45));
}

void paintArrow(QPainter& p) {
    p.setPen(QPen(QColor(30, 80, 160), 10, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath path(QPointF(82, 18));
    path.lineTo(QPointF(82, 62));
    path.lineTo(QPointF(24, 62));
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 80, 160));
    p.drawPolygon(QPolygonF({QPointF(6, 62), QPointF(32, 42), QPointF(32, 82)}));
}

}  // namespace

QPixmap ratingIcon(int iconId, int size) {
    if ((iconId < 420 || iconId > 429) && iconId != 442) return {};
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 100.0, size / 100.0);
    if (iconId == 442)
        paintArrow(p);
    else if (iconId < 425)
        paintFace(p, iconId - 420);
    else
        paintShield(p, iconId - 425);
    return pm;
}

QPixmap levelBand(int level, const QSize& size) {
    QPixmap pm(size);
    QPainter p(&pm);
    const QColor top = level == 1   ? QColor(0, 235, 0)
                       : level == 2 ? QColor(245, 235, 0)
                                    : QColor(240, 40, 30);
    QLinearGradient g(0, 0, size.width(), 0);
    g.setColorAt(0, top);
    g.setColorAt(1, QColor(255, 255, 255));
    p.fillRect(pm.rect(), g);
    return pm;
}

}  // namespace tastolino
