// One document with every feature, judged by qpdf and pdftotext. Set
// TASTOLINO_PDF_KEEP to a file name to keep it for looking at.
#include <QtTest>

#include "PdfTestUtil.h"
#include "clsPDFCreator.h"

using namespace tastolino;

using namespace pdftest;

class TestShowcase : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    std::string bmp(const char* name, const QByteArray& bytes) {
        const QString p = dir_.filePath(name);
        writeFile(p, bytes);
        return p.toStdString();
    }

    // Vertical stripes of palette indices, 16 x 16 pixels, rows bottom first.
    static QByteArray stripes(int bits) {
        QByteArray rows;
        for (int y = 0; y < 16; ++y) {
            quint32 acc = 0;
            int filled = 0;
            for (int x = 0; x < 16; ++x) {
                acc = (acc << bits) | quint32((x / 4 + y / 8) % (1 << bits));
                filled += bits;
                if (filled % 8 == 0) {
                    for (int k = filled / 8 - 1; k >= 0; --k) rows += char(acc >> (8 * k));
                    acc = 0;
                    filled = 0;
                }
            }
        }
        return rows;
    }

    static QByteArray palette(int entries) {
        QByteArray p;
        for (int i = 0; i < entries; ++i)
            p.append(char(i * 70 % 256))
                .append(char(i * 140 % 256))
                .append(char(255 - i * 30))
                .append('\0');
        return p;
    }

  private slots:
    void everyFeature() {
        std::string file = dir_.filePath("showcase.pdf").toStdString();
        clsPDFCreator pdf;
        pdf.Title("Tastolino – prova completa");
        pdf.ScaleMode(2);
        pdf.PaperSize(0);
        pdf.Margin(5);
        pdf.Orientation(1);
        QVERIFY(pdf.InitPDFFile(file));
        pdf.LoadFont("Fn1", "Arial", 0);
        pdf.LoadFont("Fn2", "Arial", 1);
        pdf.LoadFont("Fn3", "Arial", 3);
        pdf.LoadFont("Fn4", "Symbol", 0);
        pdf.LoadFontStandard("Fn5", "Courier", 0);

        QByteArray rgb;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                rgb.append(char(x * 16)).append(char(y * 16)).append(char(128));
        QVERIFY(pdf.LoadImgFromBMPFile(
            "B1", bmp("b1.bmp", makeBmp(16, 16, 1, stripes(1), palette(2))), 0));
        QVERIFY(pdf.LoadImgFromBMPFile(
            "B4", bmp("b4.bmp", makeBmp(16, 16, 4, stripes(4), palette(16))), 0));
        pdf.EncodeASCII85(true);
        QVERIFY(pdf.LoadImgFromBMPFile(
            "B8", bmp("b8.bmp", makeBmp(16, 16, 8, stripes(8), palette(256))), 1));
        QVERIFY(pdf.LoadImgFromBMPFile("B24", bmp("b24.bmp", makeBmp(16, 16, 24, rgb)), 0));
        std::vector<uint8_t> gray(64);
        for (size_t i = 0; i < gray.size(); ++i) gray[i] = uint8_t(i * 4);
        pdf.LoadImgFromArray("A8", gray, {}, 8, 8, 24, 1);
        pdf.EncodeASCII85(false);
        pdf.LoadImgFromArray("A1", {0xf0, 0x0f, 0xf0, 0x0f}, {255, 0, 0, 0, 0, 255}, 8, 4, 1, 0);

        pdf.StartObject("Frame", 7);
        pdf.SetColorStroke(-128);
        pdf.SetLineWidth(0.5);
        float r = 5;
        pdf.Rectangle(10, 10, 190, 277, 1, r);
        pdf.DrawText(105, 14, "Modello su ogni pagina", "Fn1", 8, 2);
        pdf.EndObject();
        pdf.StartObject("EvenMark", 2);
        pdf.DrawText(195, 280, "pari", "Fn2", 10, 1);
        pdf.EndObject();

        pdf.BeginPage();
        pdf.DrawText(20, 270, "Tastolino: velocità e precisione", "Fn2", 20);
        pdf.DrawText(195, 260, "A destra – €", "Fn1", 12, 1);
        pdf.DrawText(105, 250, "Centrato in grassetto corsivo", "Fn3", 12, 2);
        pdf.DrawText(30, 150, "Ruotato di 45°", "Fn1", 12, 0, 45);
        pdf.DrawText(20, 240, "abgdp", "Fn4", 14);
        pdf.DrawText(80, 240, "Courier standard", "Fn5", 12);
        pdf.SetColorStroke(255);
        pdf.SetColorFill(65280 + 100);
        pdf.SetDash(2, 1);
        pdf.MoveTo(20, 230);
        pdf.LineTo(120, 230, 1);
        pdf.SetDash(0, 0);
        pdf.SetLineCap(1);
        pdf.SetLineJoin(1);
        pdf.SetMiterLimit(2);
        pdf.MoveTo(20, 220);
        pdf.Curve(50, 200, 80, 240, 120, 220, 1);
        float square = 0;
        pdf.Rectangle(130, 200, 30, 20, 7, square);
        pdf.DrawCircle(180, 210, 10, 5);
        bool pie = false;
        pdf.Arc(40, 180, 12, 30, 300, 1, pie, 0, 10, 5);
        bool open = false;
        pdf.Arc(90, 180, 15, 0, 360, 0.5, open, 30, 15, 3);
        pdf.DrawImg("B1", 20, 120, 16, 16);
        pdf.DrawImg("B4", 40, 120, 16, 16);
        pdf.DrawImg("B8", 60, 120, 16, 16);
        pdf.DrawImg("B24", 80, 120, 16, 16);
        pdf.DrawImg("A8", 100, 120, 16, 16);
        pdf.DrawImg("A1", 120, 120, 32, 16);
        pdf.EndPage();

        pdf.BeginPage();
        pdf.SetWordSpacing(3);
        pdf.SetCharSpacing(0.5);
        pdf.SetTextHorizontalScaling(80);
        pdf.SetTextRenderingMode(1);
        pdf.DrawText(195, 250, "Seconda pagina allineata", "Fn1", 16, 1);
        pdf.DrawObject("EvenMark");
        pdf.EndPage();
        pdf.ClosePDFFile();

        QCOMPARE(qpdfProblem(file), QString());
        const QString text = pdfText(file);
        for (const char* expected :
             {"Tastolino: velocità e precisione", "A destra – €", "Centrato in grassetto corsivo",
              "Courier standard", "Modello su ogni pagina", "pari", "Seconda pagina allineata"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), qPrintable(text));
        if (qEnvironmentVariableIsSet("TASTOLINO_PDF_KEEP")) {
            const QString keep = qEnvironmentVariable("TASTOLINO_PDF_KEEP");
            QFile::remove(keep);
            QVERIFY(QFile::copy(QString::fromStdString(file), keep));
        }
    }
};

QTEST_GUILESS_MAIN(TestShowcase)
#include "tst_showcase.moc"
