// Images: the BMP reader on good and bad files, the image objects with and
// without ASCII85, and the encoder itself.
#include <QtTest>

#include <stdexcept>

#include "BmpReader.h"
#include "PdfFormat.h"
#include "PdfTestUtil.h"
#include "clsPDFCreator.h"

using namespace tastolino;

using namespace pdftest;

namespace {

bool decode(const QByteArray& bmp, int colorSpace, pdf::BmpImage& image) {
    return pdf::decodeBmp(reinterpret_cast<const uint8_t*>(bmp.constData()), size_t(bmp.size()),
                          colorSpace, image);
}

std::vector<uint8_t> bytes(const QByteArray& b) {
    return {b.begin(), b.end()};
}

void setLe32(QByteArray& b, int at, quint32 v) {
    for (int i = 0; i < 4; ++i) b[at + i] = char(v >> (8 * i));
}

}  // namespace

class TestImages : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

  private slots:
    void ascii85Vectors() {
        auto enc = [](const QByteArray& b) { return pdf::ascii85Encode(bytes(b)); };
        QCOMPARE(enc(QByteArray(4, '\0')), std::string("z~>"));
        QCOMPARE(enc(QByteArray(1, '\0')), std::string("!!~>"));
        QCOMPARE(enc("abc"), std::string("@:E^~>"));
        QCOMPARE(enc("Man "), std::string("9jqo^~>"));
        QCOMPARE(enc(QByteArray("\xff\xff\xff\xff", 4)), std::string("s8W-!~>"));
        // A zero group inside data and a short zero tail are not "z".
        QCOMPARE(enc(QByteArray("Man \0\0\0\0\0\0", 10)), std::string("9jqo^z!!!~>"));
        QCOMPARE(enc(QByteArray()), std::string("~>"));
    }

    void bmpDepths() {
        pdf::BmpImage img;
        // 24 bits, width 1: rows of 4 bytes in the file, 3 in the buffer, RGB.
        QVERIFY(decode(makeBmp(1, 2, 24, "\x01\x02\x03\xff\xff\xff"), 0, img));
        QCOMPARE(img.pixels, (std::vector<uint8_t>{3, 2, 1, 255, 255, 255}));
        QVERIFY(img.colors.empty());
        QVERIFY(decode(makeBmp(1, 2, 24, "\x01\x02\x03\xff\xff\xff"), 1, img));
        QCOMPARE(img.pixels, (std::vector<uint8_t>{2, 255}));  // 0.33*3+0.59*2+0.11*1; capped

        // 1 bit, width 8: one byte a row, two palette entries.
        QVERIFY(
            decode(makeBmp(8, 2, 1, "\xaa\x55", QByteArray("\0\0\0\0\xff\x80\x10\0", 8)), 0, img));
        QCOMPARE(img.pixels, (std::vector<uint8_t>{0xaa, 0x55}));
        QCOMPARE(img.colors, (std::vector<uint8_t>{0, 0, 0, 0x10, 0x80, 0xff}));
        QCOMPARE(img.bitsPerPixel, uint8_t(1));

        // 4 bits, width 3: two bytes a row; a short palette is filled up.
        QByteArray bmp4 = makeBmp(3, 1, 4, "\x12\x30", QByteArray("\x10\x20\x30\0", 4));
        setLe32(bmp4, 14 + 32, 1);  // colours used
        QVERIFY(decode(bmp4, 1, img));
        QCOMPARE(img.pixels, (std::vector<uint8_t>{0x12, 0x30}));
        QCOMPARE(img.colors.size(), size_t(16));
        QCOMPARE(img.colors[0], pdf::grayLevel(0x30, 0x20, 0x10));
        QCOMPARE(img.colors[1], uint8_t(0));

        // Not a BMP at all: false, and no exception.
        QVERIFY(!decode("", 0, img));
        QVERIFY(!decode("GIF89a", 0, img));
    }

    void bmpRefusals_data() {
        QTest::addColumn<QByteArray>("bmp");
        const QByteArray good = makeBmp(2, 2, 8, "\x01\x02\x03\x04", QByteArray(1024, '\x7f'));
        auto with = [&](int at, quint32 v) {
            QByteArray b = good;
            setLe32(b, at, v);
            return b;
        };
        QByteArray depth16 = good;
        depth16[28] = 16;
        QTest::newRow("16 bits") << depth16;
        QTest::newRow("compressed") << with(30, 1);
        QTest::newRow("top-down") << with(22, quint32(-2));
        QTest::newRow("zero width") << with(18, 0);
        QTest::newRow("negative width") << with(18, 0x80000000u);
        QTest::newRow("truncated rows") << good.left(good.size() - 1);
        QTest::newRow("truncated palette") << good.left(60);
        QTest::newRow("header only") << good.left(20);
        QTest::newRow("huge height") << with(22, 0x7fffffff);
        QTest::newRow("huge width") << with(18, 0x7fffffff);
        QTest::newRow("offset past end") << with(10, 0xfffffff0u);
        QTest::newRow("small header") << with(14, 12);
    }

    void bmpRefusals() {
        QFETCH(QByteArray, bmp);
        pdf::BmpImage img;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, decode(bmp, 0, img));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, decode(bmp, 1, img));
    }

    void bmpFilesThatGiveNoPicture() {
        const QString empty = dir_.filePath("empty.bmp");
        const QString gif = dir_.filePath("picture.gif");
        writeFile(empty, {});
        writeFile(gif, "GIF89a");
        QVERIFY(QDir(dir_.path()).mkpath("folder.bmp"));
        std::string file = dir_.filePath("nopicture.pdf").toStdString();
        clsPDFCreator pdf;
        QVERIFY(pdf.InitPDFFile(file));
        // Missing, empty or not a BMP: false and nothing written.
        QVERIFY(!pdf.LoadImgFromBMPFile("A", dir_.filePath("missing.bmp").toStdString(), 0));
        QVERIFY(!pdf.LoadImgFromBMPFile("B", empty.toStdString(), 0));
        QVERIFY(!pdf.LoadImgFromBMPFile("C", gif.toStdString(), 1));
        // There but unreadable: an error, not a quiet "no picture".
        QVERIFY_THROWS_EXCEPTION(
            std::runtime_error,
            pdf.LoadImgFromBMPFile("D", dir_.filePath("folder.bmp").toStdString(), 0));
        pdf.ClosePDFFile();
        const QByteArray b = readFile(file);
        QVERIFY(b.contains("xref\r\n0 5\r\n"));
        QVERIFY(!b.contains("/XObject"));
        QCOMPARE(qpdfProblem(file), QString());
    }

    void arraysAreWrittenWhole() {
        std::string file = dir_.filePath("whole.pdf").toStdString();
        clsPDFCreator pdf;
        QVERIFY(pdf.InitPDFFile(file));
        // One pixel each, with bytes to spare in the buffer and the colour table.
        pdf.LoadImgFromArray("Rgb", {1, 2, 3, 4, 5}, {9}, 1, 1, 24, 0);
        pdf.LoadImgFromArray("Idx", {0x80, 0x41}, {10, 20, 30, 40, 50, 60, 70}, 1, 1, 1, 0);
        pdf.EncodeASCII85(true);
        pdf.LoadImgFromArray("Enc", {0, 0, 0, 0, 0}, {1, 2, 3}, 1, 1, 1, 1);
        pdf.ClosePDFFile();
        const QByteArray b = readFile(file);
        QVERIFY(
            b.contains("/Length 6 0 R\r\n>>\rstream\r\n\x01\x02\x03\x04\x05\rendstream\r\n"
                       "endobj\r\n6 0 obj\r\n5\r\nendobj\r\n7 0 obj"));
        QVERIFY(b.contains("stream\r\n\x80\x41\rendstream\r\nendobj\r\n8 0 obj\r\n2\r\n"));
        QVERIFY(b.contains("9 0 obj\r\n<</Length 7 >>\rstream\r\n\n\x14\x1e(2<F\rendstream"));
        QVERIFY(b.contains("stream\r\nz!!~>\rendstream\r\nendobj\r\n11 0 obj\r\n5\r\n"));
        QVERIFY(b.contains("<</Filter /ASCII85Decode\r/Length 6 >>\rstream\r\n!<N?~>\rendstream"));
        QCOMPARE(xrefProblem(b), QString());
        QCOMPARE(qpdfProblem(file), QString());
    }

    void imageObjects() {
        const QString bmpPath = dir_.filePath("img.bmp");
        writeFile(bmpPath, makeBmp(8, 1, 1, "\x0f", QByteArray("\0\0\0\0\xff\xff\xff\0", 8)));
        std::string file = dir_.filePath("images.pdf").toStdString();
        clsPDFCreator pdf;
        QVERIFY(pdf.InitPDFFile(file));
        // Raw data starting with byte 10: must survive the line end after "stream".
        pdf.LoadImgFromArray("Raw", {10, 20, 30}, {}, 1, 1, 24, 0);
        QVERIFY(pdf.LoadImgFromBMPFile("Bits", bmpPath.toStdString(), 0));
        pdf.EncodeASCII85(true);
        pdf.LoadImgFromArray("Gray", {0, 0, 0, 0, 255}, {}, 5, 1, 24, 1);
        pdf.LoadImgFromArray("Pal", {0x12}, std::vector<uint8_t>(16, 7), 2, 1, 4, 1);
        QVERIFY(!pdf.LoadImgFromBMPFile("None", dir_.filePath("missing.bmp").toStdString(), 0));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                 pdf.LoadImgFromArray("Short", {1, 2}, {}, 1, 1, 24, 0));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                 pdf.LoadImgFromArray("Deep", {1, 2}, {}, 1, 1, 16, 0));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                 pdf.LoadImgFromArray("NoPal", {1}, {1, 2, 3}, 1, 1, 8, 0));
        pdf.BeginPage();
        pdf.DrawImg("Raw", 10, 700, 100, 50);
        pdf.DrawImg("Gray", 10, 600, 100, 50);
        pdf.EndPage();
        pdf.ClosePDFFile();
        const QByteArray b = readFile(file);

        QVERIFY(
            b.contains("5 0 obj\r\n<<\r/Type /XObject\r/Subtype /Image\r/Name /Raw\r/Width 1\r"
                       "/Height 1\r\n/BitsPerComponent 8\r/ColorSpace /DeviceRGB\r"
                       "/Length 6 0 R\r\n>>\rstream\r\n\n\x14\x1e\rendstream\r\nendobj\r\n"
                       "6 0 obj\r\n3\r\nendobj\r\n"));
        QVERIFY(
            b.contains("/BitsPerComponent 1\r/ColorSpace [/Indexed /DeviceRGB 1 9 0 R]\r"
                       "/Length 8 0 R\r\n>>\rstream\r\n\x0f\rendstream\r\n"));
        QVERIFY(b.contains("9 0 obj\r\n<</Length 6 >>\rstream\r\n\0\0\0\xff\xff\xff\rendstream"));
        // ASCII85: the filter, and the length counts the "~>" end marker.
        QVERIFY(
            b.contains("/Name /Gray\r/Width 5\r/Height 1\r/Filter /ASCII85Decode\r\n"
                       "/BitsPerComponent 8\r/ColorSpace /DeviceGray\r/Length 11 0 R\r\n"
                       ">>\rstream\r\nzrr~>\rendstream\r\nendobj\r\n11 0 obj\r\n5\r\nendobj"));
        QVERIFY(b.contains("<</Filter /ASCII85Decode\r/Length 22 >>\rstream\r\n"));
        QVERIFY(
            b.contains("/ProcSet [/PDF /Text /ImageB /ImageC /ImageI ]\r/XObject <<\r"
                       "/Raw 5 0 R \r/Bits 7 0 R \r/Gray 10 0 R \r/Pal 12 0 R \r\r>>\r"));
        QCOMPARE(contentStreams(b).value(0),
                 QByteArray("q\r100  0 0 -50 10 700 cm\r/Raw Do\rQ\r\n"
                            "q\r100  0 0 -50 10 600 cm\r/Gray Do\rQ\r\n"));
        QCOMPARE(xrefProblem(b), QString());
        QCOMPARE(qpdfProblem(file), QString());
    }
};

QTEST_GUILESS_MAIN(TestImages)
#include "tst_images.moc"
