// Colours, line style, paths and templates: the records they write and the
// pages the templates land on.
#include <QtTest>

#include <stdexcept>

#include "PdfTestUtil.h"
#include "clsPDFCreator.h"

using namespace tastolino;

using namespace pdftest;

class TestGraphics : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    template <typename Draw>
    QByteArray page(const char* name, Draw draw) {
        std::string file = dir_.filePath(name).toStdString();
        clsPDFCreator pdf;
        if (!pdf.InitPDFFile(file)) return "init failed";
        pdf.BeginPage();
        draw(pdf);
        pdf.EndPage();
        pdf.ClosePDFFile();
        const QString problem = qpdfProblem(file);
        if (!problem.isEmpty()) return "qpdf: " + problem.toUtf8();
        return contentStreams(readFile(file)).value(0);
    }

  private slots:
    void coloursAndLineStyle() {
        QByteArray content = page("colours.pdf", [](clsPDFCreator& pdf) {
            pdf.SetColorStroke(0);
            pdf.SetColorStroke(-255);
            pdf.SetColorStroke(255);
            pdf.SetColorStroke(16711680);
            pdf.SetColorFill(244 + 244 * 256 + 244 * 65536);
            pdf.SetColorFill(-51);
            QVERIFY_THROWS_EXCEPTION(std::invalid_argument, pdf.SetColorFill(-256));
            pdf.SetDash(0, 0);
            pdf.SetDash(3, 1.5);
            pdf.SetLineWidth(0.25);
            pdf.SetLineCap(1);
            pdf.SetLineCap(3);  // out of range: nothing
            pdf.SetLineJoin(2);
            pdf.SetLineJoin(-1);
            pdf.SetMiterLimit(4);
            pdf.SetMiterLimit(0.5);
        });
        QCOMPARE(content,
                 QByteArray("0 G\r\n1 G\r\n1 0 0 RG\r\n0 0 1 RG\r\n0.957 0.957 0.957 rg\r\n"
                            "0.2 g\r\n[ ] 0 d\r\n[3 1.5] 0 d\r\n0.25 w\r\n1 J\r\n2 j\r\n"
                            "4 M\r\n"));
    }

    void pathPainting() {
        QByteArray content = page("paths.pdf", [](clsPDFCreator& pdf) {
            pdf.MoveTo(1, 2);
            pdf.LineTo(3, 4, 0);
            pdf.LineTo(5, 6, 3);
            pdf.LineTo(7, 8, 6);
            pdf.LineTo(9, 10, 5);
            pdf.LineTo(11, 12, 7);
            pdf.Curve(1, 2, 3, 4, 5, 6, 2);
        });
        QCOMPARE(content, QByteArray("1 2 m\r\n3 4 l\r\n5 6 l\r\nh\r\nS\r\n7 8 l\r\nf\r\n"
                                     "9 10 l\r\nB\r\n11 12 l\r\nb\r\n1 2 3 4 5 6 c\r\nh\r\n"));
    }

    void rectanglesAndCircles() {
        float ray = 0;
        float bigRay = 50;
        QByteArray content = page("shapes.pdf", [&](clsPDFCreator& pdf) {
            pdf.Rectangle(10, 20, 30, 40, 1, ray);
            pdf.Rectangle(100, 100, 40, 60, 5, bigRay);
            pdf.DrawCircle(300, 300, 100, 4);
        });
        QCOMPARE(bigRay, 20.0f);  // limited to half the width, handed back
        const QList<QByteArray> recs = content.split('\n');
        QCOMPARE(recs.mid(0, 3), (QList<QByteArray>{"n\r", "10 20 30 40 re\r", "S\r"}));
        // Rounded: start after the corner radius, four straight sides and
        // four corners of k = 0.55 * 20 = 11.
        QCOMPARE(recs[3], QByteArray("n\r"));
        QCOMPARE(recs[4], QByteArray("120 100 m\r"));
        QCOMPARE(recs[5], QByteArray("120 100 l\r"));
        QCOMPARE(recs[6], QByteArray("131 100 140 109 140 120 c\r"));
        QCOMPARE(recs[11], QByteArray("100 120 l\r"));
        QCOMPARE(recs[12], QByteArray("100 109 109 100 120 100 c\r"));
        QCOMPARE(recs[13], QByteArray("B\r"));
        QCOMPARE(recs.mid(14, 6),
                 (QList<QByteArray>{"300 200 m\r", "355 200 400 245 400 300 c\r",
                                    "400 355 355 400 300 400 c\r", "245 400 200 355 200 300 c\r",
                                    "200 245 245 200 300 200 c\r", "f\r"}));
    }

    void arcsAndPies() {
        bool pie = false;
        bool pieToo = false;
        QByteArray content = page("arcs.pdf", [&](clsPDFCreator& pdf) {
            pdf.Arc(100, 100, 50, 0, 90, 1, pie, 0, 30, 1);
            pdf.Arc(100, 100, 50, 0, 100, 0.5, pieToo, 90, 45, 5);
            QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                     pdf.Arc(0, 0, 1, 0, 90, 1, pie, 0, 0, 1));
            QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                     pdf.Arc(0, 0, 1, 0, 90, 1, pie, 0, -5, 1));
            QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                     pdf.Arc(0, 0, 1, 0, 1e30f, 1, pie, 0, 1, 1));
        });
        QVERIFY(!pie);
        QVERIFY(pieToo);
        const QList<QByteArray> recs = content.split('\n');
        // 0, 30, 60 and 90 degrees; the first point also starts the subpath.
        QCOMPARE(recs.mid(0, 8),
                 (QList<QByteArray>{"n\r", "100 100 m\r", "150 100 m\r", "150 100 l\r",
                                    "143.301 125 l\r", "125 143.301 l\r", "100 150 l\r", "S\r"}));
        // Rotated by 90 degrees with a y radius of 25: steps 0, 45 and 90
        // (100 is not reached), then back to the centre, filled and stroked.
        QCOMPARE(recs.mid(8, 7),
                 (QList<QByteArray>{"n\r", "100 100 m\r", "100 150 l\r", "82.322 135.355 l\r",
                                    "75 100 l\r", "100 100 l\r", "B\r"}));
    }

    void templatesOnTheirPages() {
        std::string file = dir_.filePath("templates.pdf").toStdString();
        clsPDFCreator pdf;
        pdf.Margin(10);
        QVERIFY(pdf.InitPDFFile(file));
        const std::pair<const char*, int> templates[] = {
            {"Ev", 2}, {"Od", 4}, {"All", 7}, {"EvOd", 6}, {"NotFirst", 14}, {"Never", 0}};
        for (auto [name, options] : templates) {
            pdf.StartObject(name, options);
            pdf.MoveTo(0, 0);
            pdf.LineTo(10, 10, 1);
            pdf.EndObject();
        }
        for (int p = 0; p < 4; ++p) {
            pdf.BeginPage();
            pdf.DrawObject("Never");
            pdf.EndPage();
        }
        pdf.ClosePDFFile();
        const QByteArray bytes = readFile(file);
        QVERIFY(
            bytes.contains("5 0 obj\r\n<<\r/Type /XObject\r/Subtype /Form\r/FormType 1\r"
                           "/Name /Ev\r/BBox [10 10 585.2 832]\r/Matrix [1 0 0 1 0 0]\r"
                           "/Length 6 0 R >>\rstream\r\n0 0 m\r\n10 10 l\r\nS\r\nendstream\r\n"
                           "endobj\r\n6 0 obj\r\n19\r\nendobj\r\n"));
        QVERIFY(bytes.contains("/XObject <<\r\r/Ev 5 0 R \r/Od 7 0 R \r"));
        const QList<QByteArray> streams = contentStreams(bytes);
        QCOMPARE(streams.size(), 10);
        QCOMPARE(streams[6], QByteArray("/Od Do\r\n/All Do\r\n/EvOd Do\r\n/Never Do\r\n"));
        QCOMPARE(streams[7],
                 QByteArray("/Ev Do\r\n/All Do\r\n/EvOd Do\r\n/NotFirst Do\r\n/Never Do\r\n"));
        QCOMPARE(streams[8],
                 QByteArray("/Od Do\r\n/All Do\r\n/EvOd Do\r\n/NotFirst Do\r\n/Never Do\r\n"));
        QCOMPARE(streams[9], streams[7]);
        QCOMPARE(qpdfProblem(file), QString());
    }
};

QTEST_GUILESS_MAIN(TestGraphics)
#include "tst_graphics.moc"
