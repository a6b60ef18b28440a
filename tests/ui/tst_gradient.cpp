#include "ui/GradientPanel.h"
#include "ui/modGradient.h"

#include <QPainter>
#include <QtTest>

using namespace tastolino;

namespace {

QImage canvas(int w, int h, QColor fill = Qt::magenta) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

bool allPixels(const QImage& image, QRgb colour) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != colour) return false;
    return true;
}

}  // namespace

class TestGradient : public QObject {
    Q_OBJECT
  private slots:
    void sourceSize_data() {
        QTest::addColumn<int>("extent");
        QTest::addColumn<int>("source");
        QTest::newRow("zero") << 0 << 1;
        QTest::newRow("one pixel") << 1 << 1;
        QTest::newRow("2") << 2 << 3;
        QTest::newRow("3") << 3 << 3;
        QTest::newRow("4") << 4 << 7;
        QTest::newRow("127") << 127 << 127;
        QTest::newRow("128") << 128 << 255;
        QTest::newRow("254") << 254 << 255;
        QTest::newRow("255") << 255 << 255;
        QTest::newRow("screen") << 1920 << 255;
    }
    void sourceSize() {
        QFETCH(int, extent);
        QFETCH(int, source);
        const QImage image = GradientSourceImage(extent, extent, 0x0000FF, 0x00FF00, 0xFF0000, 0);
        QCOMPARE(image.width(), source);
        QCOMPARE(image.height(), source);
        // Width and height are chosen independently.
        QCOMPARE(GradientSourceImage(1, extent, 0, 0, 0, 0).size(), QSize(1, source));
    }

    // Corners: top-left red, top-right green, bottom-left blue, bottom-right
    // black, on a 3 x 3 source. The bottom-left colour is exact; everything
    // else is interpolated and truncated, never reaching the top or right
    // colours themselves.
    void knownPixels() {
        const QImage image = GradientSourceImage(3, 3, 0x0000FF, 0x00FF00, 0xFF0000, 0x000000);
        QCOMPARE(image.format(), QImage::Format_RGB32);
        QCOMPARE(image.pixel(0, 2), qRgb(0, 0, 255));  // bottom-left
        QCOMPARE(image.pixel(1, 2), qRgb(0, 0, 170));
        QCOMPARE(image.pixel(2, 2), qRgb(0, 0, 85));
        QCOMPARE(image.pixel(0, 1), qRgb(85, 0, 170));  // left edge going up
        QCOMPARE(image.pixel(0, 0), qRgb(170, 0, 85));
        QCOMPARE(image.pixel(1, 0), qRgb(113, 56, 56));  // 113.3, 56.7, 56.7 truncated
        QCOMPARE(image.pixel(2, 0), qRgb(56, 113, 28));
        QCOMPARE(image.pixel(2, 1), qRgb(28, 56, 56));
    }

    // A one-pixel wide gradient is a clean vertical ramp: every row holds
    // the left-edge colour.
    void onePixelColumn() {
        const QImage image = GradientSourceImage(1, 7, 0xFFFFFF, 0x000000, 0x000000, 0x000000);
        QCOMPARE(image.size(), QSize(1, 7));
        for (int k = 0; k < 7; ++k) {
            const int v = 255 * k / 7;
            QCOMPARE(image.pixel(0, 6 - k), qRgb(v, v, v));
        }
    }

    void paintStaysInsideItsRectangle() {
        for (bool halftone : {false, true}) {
            QImage image = canvas(40, 40);
            {
                QPainter p(&image);
                PaintGradient(p, 10, 5, 20, 25, 0x0000FF, 0x00FF00, 0xFF0000, 0, halftone);
            }
            const QRgb magenta = QColor(Qt::magenta).rgb();
            QCOMPARE(image.pixel(9, 5), magenta);
            QCOMPARE(image.pixel(10, 4), magenta);
            QCOMPARE(image.pixel(30, 29), magenta);
            QCOMPARE(image.pixel(29, 30), magenta);
            QVERIFY(image.pixel(10, 5) != magenta);
            QVERIFY(image.pixel(29, 29) != magenta);
            if (!halftone) QCOMPARE(image.pixel(10, 29), qRgb(0, 0, 255));  // bottom-left exact
        }
        // Empty rectangles paint nothing and do not fail.
        QImage image = canvas(4, 4);
        QPainter p(&image);
        PaintGradient(p, 0, 0, 0, 4, 0, 0, 0, 0, true);
        PaintGradient(p, 0, 0, 4, -3, 0, 0, 0, 0, true);
        p.end();
        QVERIFY(allPixels(image, QColor(Qt::magenta).rgb()));
    }

    // A gradient that changes only downwards is painted from its row
    // colours: exactly the pixels of its source bitmap stretched, smooth or
    // not, small or large, also into a strip that starts further down.
    void downwardGradientsMatchTheStretchedBitmap() {
        for (const QSize size : {QSize(300, 170), QSize(97, 41), QSize(1000, 629), QSize(7, 300)}) {
            for (const bool halftone : {true, false}) {
                const auto reference = [&](int top) {
                    QImage image(size.width(), size.height() - top, QImage::Format_RGB32);
                    image.fill(Qt::white);
                    QPainter p(&image);
                    p.translate(0, -top);
                    p.setRenderHint(QPainter::SmoothPixmapTransform, halftone);
                    p.drawImage(QRect(QPoint(0, 0), size),
                                GradientSourceImage(size.width(), size.height(), 0x102030, 0x102030,
                                                    0xF0E6DC, 0xF0E6DC));
                    return image;
                };
                const auto painted = [&](int top) {
                    QImage image(size.width(), size.height() - top, QImage::Format_RGB32);
                    image.fill(Qt::white);
                    QPainter p(&image);
                    p.translate(0, -top);
                    PaintGradient(p, 0, 0, size.width(), size.height(), 0x102030, 0x102030,
                                  0xF0E6DC, 0xF0E6DC, halftone);
                    return image;
                };
                QCOMPARE(painted(0), reference(0));
                QCOMPARE(painted(size.height() / 3), reference(size.height() / 3));
            }
        }
    }

    void equalColoursGiveAFlatFill() {
        QImage image = canvas(300, 200);
        {
            QPainter p(&image);
            PaintGradient(p, 0, 0, 300, 200, 0x3366CC, 0x3366CC, 0x3366CC, 0x3366CC, true);
        }
        QVERIFY(allPixels(image, qRgb(0xCC, 0x66, 0x33)));
        QCOMPARE(ColorFromBgr(0x0040C0), QColor(0xC0, 0x40, 0x00));  // red in the low byte

        // Theme 10 is black everywhere; an odd height must still be covered.
        QImage theme = canvas(61, 47);
        {
            QPainter p(&theme);
            PaintBackground(p, theme.size(), 10);
        }
        QVERIFY(allPixels(theme, qRgb(0, 0, 0)));
    }

    void themeOutOfRangeIsThemeZero() {
        auto render = [](int theme) {
            QImage image = canvas(64, 48);
            QPainter p(&image);
            PaintBackground(p, image.size(), theme);
            return image;
        };
        const QImage zero = render(0);
        QCOMPARE(render(11), zero);
        QCOMPARE(render(-1), zero);
        QCOMPARE(render(32767), zero);
        QVERIFY(render(1) != zero);
        QCOMPARE(
            BackgroundPixmap(QSize(64, 48), 99).toImage().convertToFormat(QImage::Format_RGB32),
            zero);
        // Drawn in rows, the background is the same picture.
        QImage rows(64, 48, QImage::Format_RGB32);
        {
            QPainter p(&rows);
            PaintRows(p, QRegion(0, 0, 64, 48), rows.size(),
                      [](QPainter& strip, const QSize& s) { PaintBackground(strip, s, 0); });
        }
        QCOMPARE(rows, zero);
        QCOMPARE(ThemeColoursOf(-5).c1, ThemeColoursOf(0).c1);
    }

    // A source let go is computed again the same, also for a repaint of a
    // part.
    void releasedSourcesAreComputedAgainAlike() {
        const auto render = [](const QRegion& region) {
            QImage image = canvas(300, 200);
            QPainter p(&image);
            PaintRows(p, region, image.size(),
                      [](QPainter& strip, const QSize& s) { PaintBackground(strip, s, 3); });
            return image;
        };
        const QImage whole = render(QRegion(0, 0, 300, 200));
        const QImage part = render(QRegion(40, 70, 90, 30));
        ReleaseGradientSources();
        QCOMPARE(render(QRegion(40, 70, 90, 30)), part);
        ReleaseGradientSources();
        QCOMPARE(render(QRegion(0, 0, 300, 200)), whole);
    }

    void panelLowerHalfIsFlatGrey() {
        QImage image = canvas(120, 81);
        {
            QPainter p(&image);
            PaintPanel(p, image.size());
        }
        QVERIFY(allPixels(image.copy(0, 40, 120, 41), qRgb(0xDF, 0xDF, 0xDF)));
        QVERIFY(qRed(image.pixel(60, 0)) > 0xF0);
        QVERIFY(qRed(image.pixel(60, 0)) > qRed(image.pixel(60, 30)));
    }

    // The panel widget keeps no picture of itself: a repaint of any part
    // gives exactly the pixels of a paint of the whole, where a stretched
    // gradient lies under the part and where antialiased edges in the top
    // rows do; a repaint follows the painter's current colours.
    void panelWidgetRepaintsPartsExactly() {
        // Across as well as down, with an antialiased ring in the top rows.
        const auto sheet = [](QPainter& p, const QSize& s) {
            PaintGradient(p, 0, 0, s.width(), s.height(), 0xFFFFFF, 0x3366CC, 0xF0E6DC, 0x104080,
                          true);
            p.setRenderHint(QPainter::Antialiasing);
            p.setBrush(QColor(0x55, 0x5F, 0x6B));
            p.drawEllipse(QPointF(30.5, 7.3), 5.2, 5.2);
        };
        // Down only, with a ring on top, a frame, a light line and dots:
        // painted straight onto the window below the top rows.
        const auto rowExact = [](QPainter& p, const QSize& s) {
            PaintGradient(p, 0, 0, s.width(), s.height(), 0xFFFFFF, 0xFFFFFF, 0xF0E6DC, 0xF0E6DC,
                          true);
            if (!VisibleArea(p, QRect(0, 0, s.width(), 14)).isEmpty()) {
                p.setRenderHint(QPainter::Antialiasing);
                p.setBrush(QColor(0x55, 0x5F, 0x6B));
                p.drawEllipse(QPointF(30.5, 7.3), 5.2, 5.2);
                p.setRenderHint(QPainter::Antialiasing, false);
            }
            p.setPen(QColor(0x8A, 0x9B, 0xB0));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRect(QPoint(0, 0), s).adjusted(0, 0, -1, -1));
            p.setPen(QColor(255, 255, 255, 180));
            p.drawLine(1, 1, s.width() - 2, 1);
            for (int x = 8; x < s.width() - 8; x += 4) p.drawPoint(x, s.height() - 6);
        };
        for (const bool exact : {false, true}) {
            const GradientPanel::Painter painter =
                exact ? GradientPanel::Painter(rowExact) : GradientPanel::Painter(sheet);
            QImage whole(300, 170, QImage::Format_RGB32);
            whole.fill(Qt::white);
            {
                QPainter p(&whole);
                painter(p, whole.size());
            }
            // On a window at an offset, as a panel lies in the main window.
            QWidget window;
            window.resize(340, 230);
            GradientPanel panel(painter, &window);
            panel.setWholeTopRows([](const QSize&) { return 14; });
            panel.setRowExact(exact);
            panel.setGeometry(23, 41, whole.width(), whole.height());
            for (const QRect& part :
                 {QRect(17, 3, 40, 12), QRect(250, 100, 49, 69), QRect(120, 60, 1, 1),
                  QRect(0, 0, 300, 170), QRect(9, 160, 30, 10)}) {
                const QRegion region = QRegion(part) + QRect(part.x() / 2, 150, 9, 5);
                QImage image(whole.size(), QImage::Format_RGB32);
                image.fill(Qt::black);
                // render() puts the region's top left corner at the offset
                // given.
                panel.render(&image, region.boundingRect().topLeft(), region);
                for (const QRect& r : region) QCOMPARE(image.copy(r), whole.copy(r));
            }
        }

        int theme = 10;
        GradientPanel background(GradientPanel::themePainter([&theme] { return theme; }));
        background.resize(40, 40);
        QCOMPARE(background.grab().toImage().pixelColor(20, 20), QColor(Qt::black));
        theme = 9;
        background.invalidate();
        QVERIFY(background.grab().toImage().pixelColor(20, 20) != QColor(Qt::black));
    }
};

QTEST_MAIN(TestGradient)
#include "tst_gradient.moc"
