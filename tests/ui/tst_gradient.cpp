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
        QCOMPARE(ThemeColoursOf(-5).c1, ThemeColoursOf(0).c1);
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

    // The panel widget paints through its painter only when its size
    // changes or it is told the picture is stale.
    void panelWidgetKeepsItsPicture() {
        int calls = 0;
        GradientPanel panel([&calls](QPainter& p, const QSize& s) {
            ++calls;
            p.fillRect(QRect(QPoint(0, 0), s), Qt::darkCyan);
        });
        panel.resize(50, 30);
        const QImage first = panel.grab().toImage();
        panel.grab();
        QCOMPARE(calls, 1);
        QCOMPARE(first.pixelColor(10, 10), QColor(Qt::darkCyan));
        panel.resize(60, 30);
        panel.grab();
        QCOMPARE(calls, 2);
        panel.invalidate();
        panel.grab();
        QCOMPARE(calls, 3);

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
