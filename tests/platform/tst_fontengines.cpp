// Letting go of the fonts Qt opened: the texts widgets show are drawn and
// measured exactly as before, including rich text, a glyph that comes from
// a fallback face and a font object kept across the release, and font
// files are really closed.
#include "platform/FontEngines.h"

#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

using namespace tastolino;

namespace {

// How many font files the process has mapped.
int mappedFontFiles() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) return -1;
    int count = 0;
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const QByteArray lower = line.trimmed().toLower();
        if (lower.endsWith(".ttf") || lower.endsWith(".otf") || lower.endsWith(".t1") ||
            lower.endsWith(".pfb"))
            ++count;
    }
    return count;
}

QImage drawn(const QFont& font, const QString& text) {
    QImage image(240, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(font);
    p.drawText(4, 28, text);
    return image;
}

}  // namespace

class TestFontEngines : public QObject {
    Q_OBJECT
  private slots:
    void textsLookTheSameAfterTheRelease() {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* plain = new QLabel(QStringLiteral("Grüße aus Köln – 123 ÄÖÜ"));
        plain->setFont(QFont(QStringLiteral("Liberation Sans"), 11));
        auto* rich = new QLabel(QStringLiteral("<b>Fett</b> und <i>schräg</i> gesetzt"));
        rich->setFont(QFont(QStringLiteral("Liberation Sans"), 10));
        auto* button = new QPushButton(QStringLiteral("Enter \u21B5"));
        QFont bold(QStringLiteral("Liberation Sans"), 12);
        bold.setBold(true);
        button->setFont(bold);
        layout->addWidget(plain);
        layout->addWidget(rich);
        layout->addWidget(button);
        window.resize(320, 140);

        const QFont kept(QStringLiteral("Liberation Serif"), 14);
        const QString sample = QStringLiteral("Wägen ſ ß \u21B5 Ωmega");
        const QImage keptBefore = drawn(kept, sample);
        const int keptWidth = QFontMetrics(kept).horizontalAdvance(sample);
        // Sizes that serve a moment only, as when a caption is fitted.
        for (int size = 8; size < 20; ++size)
            QFontMetrics(QFont(QStringLiteral("Liberation Sans"), size)).horizontalAdvance(sample);
        const QImage windowBefore = window.grab().toImage();
        const int openBefore = mappedFontFiles();
        QVERIFY(openBefore > 0);

        ReleaseFontEngines();
        // What a text layout still holds may stay open; the rest is closed.
        QVERIFY2(mappedFontFiles() < openBefore - 2,
                 qPrintable(QString::number(mappedFontFiles())));

        QCOMPARE(window.grab().toImage(), windowBefore);
        QCOMPARE(drawn(kept, sample), keptBefore);
        QCOMPARE(QFontMetrics(kept).horizontalAdvance(sample), keptWidth);

        // Released twice, with nothing opened in between, and once more
        // after the widgets were painted again.
        ReleaseFontEngines();
        QCOMPARE(window.grab().toImage(), windowBefore);
        ReleaseFontEngines();
        QCOMPARE(window.grab().toImage(), windowBefore);
    }
};

QTEST_MAIN(TestFontEngines)
#include "tst_fontengines.moc"
