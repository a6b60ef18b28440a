#include "ui/Artwork.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace tastolino {

QImage svgImage(const QString& resource, const QSize& size) {
    static QHash<QString, QImage> cache;
    const QString key = resource + QLatin1Char('@') + QString::number(size.width()) +
                        QLatin1Char('x') + QString::number(size.height());
    auto it = cache.constFind(key);
    if (it != cache.constEnd()) return *it;
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    if (renderer.isValid()) {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        renderer.render(&p);
    }
    cache.insert(key, KeptCopy(image));
    return *cache.constFind(key);
}

QImage KeptCopy(const QImage& painted) {
    return painted.copy();
}

const QCursor& handCursor() {
    // The fingertip of the pointing hand is the hot spot.
    static const QCursor cursor(
        QPixmap::fromImage(svgImage(QStringLiteral(":/ui/hand.svg"), QSize(32, 32))), 11, 1);
    return cursor;
}

}  // namespace tastolino
