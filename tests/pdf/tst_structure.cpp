// Document frame: the bytes of whole small documents, numbers, paper and
// units, file names and the calling order.
#include <QDir>
#include <QFileInfo>
#include <QtTest>

#include <stdexcept>

#include "PdfFormat.h"
#include "PdfTestUtil.h"
#include "clsPDFCreator.h"

using namespace tastolino;

using namespace pdftest;

class TestStructure : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::string path(const char* name) { return dir_.filePath(name).toStdString(); }

    // The date and the writer's author line vary; everything else is fixed.
    static QByteArray normalised(QByteArray pdf) {
        QString s = QString::fromLatin1(pdf);
        s.replace(QRegularExpression("/Producer \\([^)]*\\)"), "/Producer (P)");
        s.replace(QRegularExpression("\\(D:\\d{14}\\+01'00'\\)"), "(D:DATE+01'00')");
        return s.toLatin1();
    }

    static QByteArray header(const char* title) {
        return QByteArray("%PDF-1.3\r\n1 0 obj\r\n<<\r/Title (") + title +
               ")\r/Author (Tastolino)\r/Creator  (clsPDFCreator FREE Version)\r/Producer (P)\r"
               "/CreationDate (D:DATE+01'00')\r>>\r\nendobj\r\n2 0 obj\r\n<<\r/Type /Catalog\r"
               "/Pages 3 0 R\r/PageLayout /OneColumn\r/PageMode /UseNone\r/Lang (it) \r"
               "/ViewerPreferences << /HideToolbar false /DisplayDocTitle true \r"
               "/HideWindowUI false >>\r>>\r\nendobj\r\n";
    }

  private slots:
    void emptyDocumentIsExact() {
        std::string file = path("empty.pdf");
        clsPDFCreator pdf;
        pdf.Title("a(b\\c)");
        QVERIFY(pdf.InitPDFFile(file));
        pdf.ClosePDFFile();
        const QByteArray raw = readFile(file);
        const QByteArray bytes = normalised(raw);

        QByteArray body = header("a\\(b\\\\c\\)") +
                          "4 0 obj\r\n<<\r/ProcSet [/PDF /Text ]\r>>\r\nendobj\r\n"
                          "3 0 obj\r\n<<\r/Type /Pages\r/Count 0\r/MediaBox [0 0 595.2 842]\r"
                          "/CropBox [0 0 595.2 842]\r\r/Kids [ ]\r/Resources 4 0 R\r>>\r\n"
                          "endobj\r\nxref\r\n0 5\r\n0000000000 65535 f\r\n";
        QVERIFY2(bytes.startsWith(body), bytes.constData());
        QByteArray tail = "trailer\r<<\r/Size 5\r/Info 1 0 R\r/Root 2 0 R\r>>\r\nstartxref\r";
        QCOMPARE(bytes.mid(body.size() + 4 * 20, tail.size()), tail);
        QVERIFY(bytes.endsWith("%%EOF\r\r\n"));
        // Objects 3 and 4 are written last but keep their places in the table.
        QCOMPARE(xrefProblem(raw), QString());
        QCOMPARE(qpdfProblem(file), QString());
    }

    void pagesAndTheirLengths() {
        std::string file = path("pages.pdf");
        clsPDFCreator pdf;
        QVERIFY(pdf.InitPDFFile(file));
        QCOMPARE(pdf.BeginPage(), int16_t(1));
        pdf.MoveTo(10, 20);
        pdf.LineTo(30, 40, 1);
        pdf.EndPage();
        QCOMPARE(pdf.BeginPage(), int16_t(2));
        pdf.EndPage();
        QCOMPARE(pdf.Pages(), int16_t(2));
        pdf.ClosePDFFile();
        const QByteArray raw = readFile(file);
        const QByteArray bytes = normalised(raw);

        const QByteArray page =
            "5 0 obj\r\n<<\r/Type /Page\r/Parent 3 0 R\r/Contents 6 0 R\r>>\r\n"
            "endobj\r\n6 0 obj\r\n<< /Length 7 0 R >>\rstream\r\n"
            "10 20 m\r\n30 40 l\r\nS\r\nendstream\r\nendobj\r\n"
            "7 0 obj\r\n21\r\nendobj\r\n8 0 obj\r\n";
        QVERIFY(bytes.contains(page));
        QVERIFY(bytes.contains("10 0 obj\r\n0\r\nendobj\r\n"));
        QVERIFY(bytes.contains("4 0 obj\r\n<<\r/ProcSet [/PDF /Text ]\r>>\r\nendobj\r\n"));
        QVERIFY(bytes.contains("/Count 2\r"));
        QVERIFY(bytes.contains("/Kids [5 0 R 8 0 R  ]\r"));
        QVERIFY(bytes.contains("xref\r\n0 11\r\n"));
        QCOMPARE(xrefProblem(raw), QString());
        QCOMPARE(qpdfProblem(file), QString());
    }

    void paperUnitsAndOrientation() {
        std::string file = path("paper.pdf");
        clsPDFCreator pdf;
        pdf.ScaleMode(3);
        pdf.Margin(1);
        pdf.Orientation(1);
        pdf.PaperSize(2);
        QVERIFY(pdf.InitPDFFile(file));
        pdf.BeginPage();
        pdf.EndPage();
        pdf.ClosePDFFile();
        QByteArray bytes = readFile(file);
        QVERIFY(
            bytes.contains("/MediaBox [0 0 612 792]\r/CropBox [28.346 28.346 583.654 763.654]\r"
                           "/Rotate 90\r/Kids"));
        QCOMPARE(qpdfProblem(file), QString());

        clsPDFCreator custom;
        custom.PaperWidth(100);  // points
        custom.PaperSize(7);     // unknown code: size stays
        file = path("custom.pdf");
        QVERIFY(custom.InitPDFFile(file));
        custom.ClosePDFFile();
        QVERIFY(readFile(file).contains("/MediaBox [0 0 100 842]"));
    }

    void numbersAreFormatted() {
        using pdf::formatNumber;
        QCOMPARE(formatNumber(595.2f), std::string("595.2"));
        QCOMPARE(formatNumber(842), std::string("842"));
        QCOMPARE(formatNumber(0.7 * 72 / 2.54), std::string("19.843"));
        QCOMPARE(formatNumber(-212), std::string("-212"));
        QCOMPARE(formatNumber(0.0004), std::string("0"));
        QCOMPARE(formatNumber(-0.0004), std::string("0"));
        QCOMPARE(formatNumber(-0.0), std::string("0"));
        QCOMPARE(formatNumber(0.0025), std::string("0.002"));  // halves to even
        QCOMPARE(formatNumber(0.0035), std::string("0.004"));
        QCOMPARE(formatNumber(-1.2345), std::string("-1.234"));
        QCOMPARE(formatNumber(1234567.5), std::string("1234567.5"));
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, formatNumber(1e30));
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, formatNumber(std::nan("")));
    }

    void fileNames() {
        std::string name;
        clsPDFCreator pdf;
        QVERIFY(pdf.InitPDFFile(name));
        pdf.ClosePDFFile();
        const QFileInfo info(QString::fromStdString(name));
        QVERIFY(QFile::remove(info.filePath()));
        QCOMPARE(info.absolutePath(),
                 QFileInfo(QCoreApplication::applicationFilePath()).absolutePath());
        QVERIFY(QRegularExpression("^~[0-9A-F]+\\.pdf$").match(info.fileName()).hasMatch());

        std::string missing = path("no/such/folder/x.pdf");
        clsPDFCreator failing;
        QVERIFY(!failing.InitPDFFile(missing));
    }

    void callingOrderIsEnforced() {
        clsPDFCreator pdf;
        QVERIFY_THROWS_EXCEPTION(std::logic_error, pdf.BeginPage());
        std::string file = path("order.pdf");
        QVERIFY(pdf.InitPDFFile(file));
        QVERIFY_THROWS_EXCEPTION(std::logic_error, pdf.MoveTo(1, 1));
        pdf.BeginPage();
        QVERIFY_THROWS_EXCEPTION(std::logic_error, pdf.ClosePDFFile());
        QVERIFY_THROWS_EXCEPTION(std::logic_error, pdf.LoadFont("Fn1", "Arial", 0));
        QVERIFY_THROWS_EXCEPTION(std::logic_error, pdf.BeginPage());
        pdf.EndPage();
        pdf.ClosePDFFile();
        QCOMPARE(qpdfProblem(file), QString());
    }
};

QTEST_GUILESS_MAIN(TestStructure)
#include "tst_structure.moc"
