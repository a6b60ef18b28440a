// The key set: the legends printed on the keys (blanks are part of their
// layout), the shape of the key rows, and which finger types which key under
// both divisions.
#include "keyboard/KeySet.h"

#include <QTest>

using namespace tastolino;

class TestKeySet : public QObject {
    Q_OBJECT
  private slots:
    void textCaptions_data();
    void textCaptions();
    void symbolCaptions();
    void rowsAndPitch();
    void fingerDivisions_data();
    void fingerDivisions();
    void coloursAreBlueGreenRed();
};

void TestKeySet::textCaptions_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("line1");
    QTest::addColumn<QString>("line2");
    auto row = [](int key, const char* a, const char* b) {
        QTest::addRow("key %d", key) << key << QString::fromUtf8(a) << QString::fromUtf8(b);
    };
    row(0, "Q", "    @");
    row(2, " E", "      €");
    row(19, "Ö", " ö");
    row(20, " >", "  <   |");
    row(28, " ;", "  ,");
    row(29, " :", "  .");
    row(32, " =", "  0   }");
    row(33, " )", "  9   ]");
    row(34, " (", "  8   [");
    row(40, "Ä", "ä");
    row(41, " '", "#");
    row(42, "Ü", " ü");
    row(43, " *", "  +   ~");
    row(45, " /", "  7   {");
    row(46, " &", "  6");  // painted, so one ampersand
    row(49, " %", "  5");
    row(50, " ?", "  ß   \\");
    row(51, " `", "  ´");
    row(52, " °", "  ^");
    row(53, " _", "  -");
    row(57, " $", "  4");
    row(58, " §", "  3   ³");
    row(60, " !", "  1");
    row(61, " \"", "  2   ²");
    // One-line captions.
    row(1, "W", "");
    row(21, "Y", "");
    row(27, "M          µ", "");
    row(31, " Alt", "");
    row(38, " Alt Gr", "");
    row(44, " Strg", "");
    row(35, "", "");
    row(48, "", "");
}

void TestKeySet::textCaptions() {
    QFETCH(int, key);
    QFETCH(QString, line1);
    QFETCH(QString, line2);
    const KeyCaption c = keyCaption(key);
    QCOMPARE(c.kind, CaptionKind::Text);
    QCOMPARE(c.line1, line1);
    QCOMPARE(c.line2, line2);
}

void TestKeySet::symbolCaptions() {
    // Shift, Caps Lock, Tab, Backspace and Enter show a symbol; the Windows
    // and menu keys a picture. None of them shows letters.
    for (int key : {30, 36, 54, 55, 59, 62}) {
        QCOMPARE(keyCaption(key).kind, CaptionKind::Glyph);
        QVERIFY(!keyCaption(key).line1.trimmed().isEmpty());
    }
    QCOMPARE(keyCaption(30).line1, keyCaption(36).line1);
    QVERIFY(keyCaption(62).line1.startsWith(QLatin1Char(' ')));
    for (int key : {37, 39, 56}) QCOMPARE(keyCaption(key).kind, CaptionKind::Icon);
    QCOMPARE(keyCaption(39).line1, keyCaption(56).line1);
    QVERIFY(keyCaption(37).line1 != keyCaption(39).line1);
}

void TestKeySet::rowsAndPitch() {
    // Ordinary keys are 29 x 33 on a pitch of 39, each row from its own
    // first key; nothing overlaps, everything lies inside the 597 x 215
    // panel, and the two Enter parts meet without a gap.
    const int tops[] = {5, 47, 89, 131, 173};
    const int rowStart[] = {4, 60, 67, 53};
    const QRect panel(0, 0, 597, 215);
    for (int k = 0; k < kKeyCount; ++k) {
        const QRect r = designRect(k);
        QVERIFY2(panel.contains(r), qPrintable(QString::number(k)));
        if (k != KeyEnterLower)
            QVERIFY2(std::find(std::begin(tops), std::end(tops), r.y()) != std::end(tops),
                     qPrintable(QString::number(k)));
        if (r.width() == 29) {
            QCOMPARE(r.height(), 33);
            const int row = int(std::find(std::begin(tops), std::end(tops), r.y()) - tops);
            QVERIFY(row < 4);
            QVERIFY2((r.x() - rowStart[row]) % 39 == 0, qPrintable(QString::number(k)));
        }
        for (int o = k + 1; o < kKeyCount; ++o)
            QVERIFY2(!r.intersects(designRect(o)),
                     qPrintable(QStringLiteral("%1/%2").arg(k).arg(o)));
    }
    const QRect upper = designRect(KeyEnterUpper), lower = designRect(KeyEnterLower);
    QCOMPARE(lower.top(), upper.bottom() + 1);
    QCOMPARE(lower.right(), upper.right());
}

void TestKeySet::fingerDivisions_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<uint>("classic");
    QTest::addColumn<uint>("ergonomic");
    auto row = [](int key, uint32_t c, uint32_t e) {
        QTest::addRow("key %d", key) << key << uint(c) << uint(e);
    };
    // The bottom row moves one finger outwards with the ergonomic division.
    row(21, kColourRing, kColourLittle);
    row(22, kColourMiddle, kColourRing);
    row(23, kColourIndex, kColourMiddle);
    row(27, kColourMiddle, kColourIndex);
    row(28, kColourRing, kColourMiddle);
    row(29, kColourLittle, kColourRing);
    // The rest stays.
    row(24, kColourIndex, kColourIndex);
    row(35, kColourSpace, kColourSpace);
    row(31, kColourMiddle, kColourMiddle);
    row(38, kColourRing, kColourRing);
    row(58, kColourRing, kColourRing);
    row(20, kColourLittle, kColourLittle);
    for (int key : {30, 36, 44, 48, 55, 62}) row(key, kColourLittle, kColourLittle);
}

void TestKeySet::fingerDivisions() {
    QFETCH(int, key);
    QFETCH(uint, classic);
    QFETCH(uint, ergonomic);
    QCOMPARE(uint(fingerColourBgr(key, false)), classic);
    QCOMPARE(uint(fingerColourBgr(key, true)), ergonomic);
}

void TestKeySet::coloursAreBlueGreenRed() {
    // 0xBBGGRR: red in the low byte.
    const std::pair<uint32_t, QColor> colours[] = {
        {kColourLittle, QColor(185, 207, 224)}, {kColourRing, QColor(214, 222, 181)},
        {kColourMiddle, QColor(239, 204, 197)}, {kColourIndex, QColor(162, 204, 184)},
        {kColourSpace, QColor(226, 235, 235)},  {kColourNoFinger, QColor(224, 224, 224)},
    };
    for (const auto& [bgr, rgb] : colours) {
        QCOMPARE(ColorFromBgr(bgr), rgb);
        QCOMPARE(bgrFromColour(rgb), bgr);
    }
}

QTEST_APPLESS_MAIN(TestKeySet)
#include "tst_keyset.moc"
