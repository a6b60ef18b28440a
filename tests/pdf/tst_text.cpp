// Text and fonts: text records, escaping, measuring and alignment, the font
// objects with their widths arrays, and what outside readers make of them.
#include <QtTest>

#include <stdexcept>

#include "PdfTestUtil.h"
#include "clsPDFCreator.h"

using namespace tastolino;

using namespace pdftest;

class TestText : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::string path(const char* name) { return dir_.filePath(name).toStdString(); }

    // Fn1 Arial, Fn2 Arial bold, Fn3 Symbol, Fn4 a standard font.
    void loadFonts(clsPDFCreator& pdf) {
        pdf.LoadFont("Fn1", "Arial", 0);
        pdf.LoadFont("Fn2", "Arial", 1);
        pdf.LoadFont("Fn3", "Symbol", 0);
        pdf.LoadFontStandard("Fn4", "Times New Roman", 2);
    }

    // Writes one page with `draw` in centimetres and returns its content.
    template <typename Draw>
    QByteArray page(const char* name, Draw draw) {
        std::string file = path(name);
        clsPDFCreator pdf;
        pdf.ScaleMode(3);
        if (!pdf.InitPDFFile(file)) return "init failed";
        loadFonts(pdf);
        pdf.BeginPage();
        draw(pdf);
        pdf.EndPage();
        pdf.ClosePDFFile();
        const QString problem = qpdfProblem(file);
        if (!problem.isEmpty()) return "qpdf: " + problem.toUtf8();
        return contentStreams(readFile(file)).value(0);
    }

  private slots:
    void textRecords() {
        QByteArray content = page("records.pdf", [](clsPDFCreator& pdf) {
            pdf.DrawText(2, 27, "Tastolino", "Fn2", 24, 0, 0);
            pdf.DrawText(2, 20, "a(b)c\\d", "Fn1", 10);
            pdf.DrawText(2, 15, "su", "Fn1", 10, 0, 90);
            pdf.DrawText(2, 10, "giù", "Fn1", 10, 0, 180);
        });
        QCOMPARE(
            content,
            QByteArray("BT\r\n/Fn2 24 Tf\r\n56.693 765.354 Td\r\n(Tastolino) Tj\r\nET\r\n"
                       "BT\r\n/Fn1 10 Tf\r\n56.693 566.929 Td\r\n(a\\(b\\)c\\\\d) Tj\r\nET\r\n"
                       "BT\r\n/Fn1 10 Tf\r\n0 1 -1 0 56.693 425.197 Tm\r\n(su) Tj\r\nET\r\n"
                       "BT\r\n/Fn1 10 Tf\r\n-1 0 0 -1 56.693 283.465 Tm\r\n(gi\xf9) Tj\r\nET\r\n"));
    }

    void alignmentUsesTheWidths() {
        QByteArray content = page("align.pdf", [](clsPDFCreator& pdf) {
            QCOMPARE(pdf.Length("Ab", "FN1", 10), float(12.23 * 2.54 / 72));  // any case
            pdf.DrawText(20, 1, "Ab", "Fn1", 10, 1);
            pdf.DrawText(20, 2, "Ab", "Fn1", 10, 2);
            pdf.DrawText(20, 3, "Ab", "Fn4", 10, 1);  // standard font: no metrics
            QCOMPARE(pdf.Length("Ab", "Fn4", 10), 0.0f);
            QCOMPARE(pdf.Length("Ab", "Nope", 10), 0.0f);
        });
        QVERIFY(content.contains("\r\n554.699 28.346 Td\r\n"));
        QVERIFY(content.contains("\r\n560.814 56.693 Td\r\n"));
        QVERIFY(content.contains("\r\n566.929 85.039 Td\r\n"));
    }

    void measuringFollowsTheTextState() {
        page("state.pdf", [](clsPDFCreator& pdf) {
            pdf.ScaleMode(0);
            // Windows-1252 bytes: é is 233 (556), € 128 (556), ✓ becomes "?" (556).
            QCOMPARE(pdf.Length("é€✓", "Fn1", 1000), 1668.0f);
            QCOMPARE(pdf.Length("\x01", "Fn2", 1000), 311.0f);  // below FirstChar: missing width
            QCOMPARE(pdf.Length(" ", "Fn3", 1000), 250.0f);
            QCOMPARE(pdf.Length("\xc3\xa0", "Fn3", 1000), 494.0f);  // code 224
            pdf.SetCharSpacing(1);
            pdf.SetWordSpacing(2);
            pdf.SetTextHorizontalScaling(50);
            pdf.SetTextRenderingMode(3);  // ignored
            // (1390 * 10 / 1000 + 1 blank * 2 + 3 chars * 1) * 50 %
            QCOMPARE(pdf.Length("a b", "Fn1", 10), 9.45f);
        });
        // A new page starts with the default text state again.
        std::string file = path("reset.pdf");
        clsPDFCreator pdf;
        QVERIFY(pdf.InitPDFFile(file));
        pdf.LoadFont("Fn1", "Arial", 0);
        pdf.BeginPage();
        pdf.SetCharSpacing(5);
        pdf.EndPage();
        pdf.BeginPage();
        QCOMPARE(pdf.Length("a", "Fn1", 10), 5.56f);
        pdf.EndPage();
        pdf.ClosePDFFile();
        QVERIFY(readFile(file).contains("stream\r\n5 Tc\r\nendstream"));
    }

    void fontObjects() {
        std::string file = path("fonts.pdf");
        clsPDFCreator pdf;
        QVERIFY(pdf.InitPDFFile(file));
        pdf.LoadFont("Fn1", "Times New Roman", 1);
        pdf.LoadFont("Fn2", "sym bol", 2);
        pdf.LoadFontStandard("Fn3", "Times New Roman", 3);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, pdf.LoadFont("Fn4", "Arial", 4));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, pdf.LoadFont("F n", "Arial", 0));
        pdf.BeginPage();
        pdf.EndPage();
        pdf.ClosePDFFile();
        const QByteArray bytes = readFile(file);

        QVERIFY(bytes.contains(
            "5 0 obj\r\n<< /Type /Font \r/Subtype /TrueType\r/Name /Fn1\r/BaseFont /Arial,Bold\r"
            "/FirstChar 32\r/LastChar 255\r/FontDescriptor 6 0 R\r/Encoding /WinAnsiEncoding\r"
            "/Widths [\r\n278 333 474 556 556 889 722 238 333 333 389 584 278 333 278 278 \r\n"
            "556 556 556 556 556 556 556 556 556 556 333 333 584 584 584 611 \r\n975 722 "));
        QVERIFY(bytes.contains(
            "6 0 obj\r\n<<\r/Type /FontDescriptor\r/FontName /Arial,Bold\r/Flags 16416 "
            "/FontBBox [-250 -212 1120 1000] /MissingWidth 311 /StemV 153 /StemH 153 "
            "/ItalicAngle 0 /CapHeight 905 /XHeight 453 /Ascent 905 /Descent -212 /Leading 150 "
            "/MaxWidth 933 /AvgWidth 479\r>>\r\nendobj\r\n"));
        QVERIFY(bytes.contains("/BaseFont /Symbol,Italic\r/FirstChar 30\r/LastChar 255\r"));
        QVERIFY(bytes.contains(
            "/Widths [\r\n600 600 250 333 713 500 549 833 778 439 333 333 500 549 250 549 \r\n"));
        QVERIFY(
            bytes.contains("<< /Type /Font /Subtype /Type1 /Name /Fn3 /BaseFont "
                           "/TimesNewRoman,BoldItalic /Encoding /WinAnsiEncoding >>\r\n"));
        QVERIFY(bytes.contains("/Font <<\r/Fn1 5 0 R \r/Fn2 7 0 R \r/Fn3 9 0 R \r>>\r"));

        // Widths arrays: 224 entries in 14 records of 16; 226 with a last record of 2.
        auto widthRecords = [&](const char* name) {
            qsizetype start = bytes.indexOf("/Widths [\r\n", bytes.indexOf(name)) + 11;
            qsizetype end = bytes.indexOf("] >>", start);
            QList<QByteArray> records = bytes.mid(start, end - start).split('\n');
            records.removeLast();
            QList<int> sizes;
            for (const QByteArray& r : records) sizes << r.trimmed().split(' ').size();
            return sizes;
        };
        QList<int> arial = widthRecords("/Name /Fn1");
        QList<int> symbol = widthRecords("/Name /Fn2");
        QCOMPARE(arial.size(), 14);
        QCOMPARE(arial.count(16), 14);
        QCOMPARE(symbol.size(), 15);
        QCOMPARE(symbol.last(), 2);
        QCOMPARE(qpdfProblem(file), QString());
    }

    void readersGetTheTextBack() {
        std::string file = path("readers.pdf");
        clsPDFCreator pdf;
        pdf.ScaleMode(2);
        pdf.Title("Résumé (prova)");
        QVERIFY(pdf.InitPDFFile(file));
        loadFonts(pdf);
        pdf.BeginPage();
        pdf.DrawText(20, 270, "Velocità media: 123 battute", "Fn1", 12);
        pdf.DrawText(190, 250, "Punteggio (€ 5)", "Fn2", 12, 1);
        pdf.DrawText(105, 230, "Centrato", "Fn4", 12, 2);
        pdf.EndPage();
        pdf.ClosePDFFile();
        QCOMPARE(qpdfProblem(file), QString());
        const QString text = pdfText(file);
        QVERIFY2(text.contains("Velocità media: 123 battute"), qPrintable(text));
        QVERIFY2(text.contains("Punteggio (€ 5)"), qPrintable(text));
        QVERIFY2(text.contains("Centrato"), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(TestText)
#include "tst_text.moc"
