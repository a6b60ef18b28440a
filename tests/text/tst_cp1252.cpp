#include "text/Cp1252.h"

#include <QTest>

using namespace tastolino;

class TestCp1252 : public QObject {
    Q_OBJECT
  private slots:
    void everyByteSurvivesARoundTrip() {
        std::string all;
        for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
        QCOMPARE(cp1252::fromUtf8(cp1252::toUtf8(all)), all);
    }
    void mapsTheHighRangeAsWindowsDoes() {
        QCOMPARE(cp1252::toUtf8("\x80"), std::string("€"));
        QCOMPARE(cp1252::toUtf8("\x9f"), std::string("Ÿ"));
        QCOMPARE(cp1252::toUtf8("\xe9"), std::string("é"));
        QCOMPARE(cp1252::fromUtf8("ß€…"), std::string("\xdf\x80\x85"));
        QCOMPARE(cp1252::fromUnicode(0x81), 0x81);
        QCOMPARE(cp1252::fromUnicode(0x2010), -1);
    }
    void unmappableAndMalformedBecomeQuestionMarks() {
        QCOMPARE(cp1252::fromUtf8("a\xe2\x82z"), std::string("a??z"));  // cut sequence
        QCOMPARE(cp1252::fromUtf8("\xc0\xafx"), std::string("??x"));    // overlong
        QCOMPARE(cp1252::fromUtf8("Ω中"), std::string("??"));
        QCOMPARE(cp1252::fromUtf8("\xf0\x9f\x98\x80"), std::string("?"));
        QCOMPARE(cp1252::fromUtf8("\xed\xa0\x80"), std::string("???"));  // surrogate
        QCOMPARE(cp1252::fromUtf8(std::string_view("\xe2", 1)), std::string("?"));
    }
};

QTEST_APPLESS_MAIN(TestCp1252)
#include "tst_cp1252.moc"
