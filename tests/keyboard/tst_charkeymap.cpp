// The character-to-key map: every character on the key whose caption shows
// it, entry numbers, keys and shift states as the rest of the program relies
// on them.
#include "keyboard/CharKeyMap.h"
#include "keyboard/KeySet.h"
#include "text/Cp1252.h"

#include <QTest>

#include <set>

using namespace tastolino;

class TestCharKeyMap : public QObject {
    Q_OBJECT
  private slots:
    void everyEntryTypesOnTheKeyThatShowsIt();
    void lookups_data();
    void lookups();
    void unicodeLookups();
    void modifierKeys();
};

void TestCharKeyMap::everyEntryTypesOnTheKeyThatShowsIt() {
    BuildCharKeyMap();
    const CharKeyTable& map = CharKeyMap();
    std::set<int> codes;
    for (int i = 0; i < kCharKeyEntryCount; ++i) {
        const CharKeyEntry& e = map[i];
        const QString where = QStringLiteral("entry %1 (code %2, key %3, state %4)")
                                  .arg(i)
                                  .arg(e.CharCode)
                                  .arg(e.KeyNumber)
                                  .arg(e.ShiftState);
        // Each character once, found again under its own entry number.
        QVERIFY2(codes.insert(e.CharCode).second, qPrintable(where + " occurs twice"));
        QVERIFY2(e.CharCode > 0 && e.CharCode < 256, qPrintable(where));
        QCOMPARE(FindCharEntry(e.CharCode), i);
        // A key of the keyboard, and a known way of typing on it.
        QVERIFY2(e.KeyNumber >= 0 && e.KeyNumber < kKeyCount, qPrintable(where));
        QVERIFY2(e.ShiftState >= ShiftNone && e.ShiftState <= AcuteSymbol, qPrintable(where));

        if (e.CharCode == ' ') {
            QCOMPARE(int(e.KeyNumber), int(KeySpace));
            QCOMPARE(int(e.ShiftState), int(ShiftNone));
            continue;
        }
        if (e.CharCode == '\r') {
            QCOMPARE(i, kCarriageReturnEntry);
            QCOMPARE(int(e.KeyNumber), int(KeyEnterLower));
            QCOMPARE(int(e.ShiftState), int(ShiftNone));
            continue;
        }
        const QString character = QString::fromStdString(
            cp1252::toUtf8(std::string(1, char(static_cast<unsigned char>(e.CharCode)))));
        QCOMPARE(character.size(), 1);
        const QChar c = character.at(0);
        const KeyCaption caption = keyCaption(e.KeyNumber);
        QVERIFY2(caption.kind == CaptionKind::Text, qPrintable(where));
        switch (e.ShiftState) {
            case ShiftNone:
                // A small letter on the key of its capital; anything else on
                // the lower line of the caption.
                if (c.isLetter() && c.isLower() && c != QChar(0xDF))
                    QVERIFY2(caption.line1.trimmed().startsWith(c.toUpper()), qPrintable(where));
                else
                    QVERIFY2(caption.line2.contains(c), qPrintable(where));
                break;
            case ShiftLeft:
            case ShiftRight:
                // Shifted: the capital of the key's small letter, or the
                // upper symbol of the caption.
                QVERIFY2(caption.line1.contains(c), qPrintable(where));
                if (c.isLetter()) {
                    const int small = FindCharEntryForUnicode(c.toLower().unicode());
                    QVERIFY2(small >= 0, qPrintable(where));
                    QCOMPARE(map[small].KeyNumber, e.KeyNumber);
                    QCOMPARE(int(map[small].ShiftState), int(ShiftNone));
                }
                break;
            case AccentAcute:
            case AccentCircumflex:
            case AccentGrave: {
                // An accented vowel: typed on the key of its plain vowel.
                const QChar plain = character.normalized(QString::NormalizationForm_D).at(0);
                QVERIFY2(plain != c, qPrintable(where));
                const int plainEntry = FindCharEntryForUnicode(plain.unicode());
                QVERIFY2(plainEntry >= 0, qPrintable(where));
                QCOMPARE(map[plainEntry].KeyNumber, e.KeyNumber);
                break;
            }
            default:
                // AltGr and the accent signs themselves: on the caption.
                QVERIFY2((caption.line1 + caption.line2).contains(c), qPrintable(where));
                break;
        }
    }
    // Keys that type no character.
    for (int key : {30, 31, 36, 37, 38, 39, 44, 47, 54, 55, 56, 59, 62})
        for (const CharKeyEntry& e : map) QVERIFY(e.KeyNumber != key);
    // Every letter, digit and sign of a German keyboard can be typed.
    const QString typeable = QStringLiteral(
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
        "äöüÄÖÜß,.;:-_!\"§$%&/()=?'*+#~<>|@€µ²³{}[]\\^`´°");
    for (QChar c : typeable)
        QVERIFY2(FindCharEntryForUnicode(c.unicode()) >= 0, qPrintable(QString(c)));
}

void TestCharKeyMap::lookups_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("shift");
    QTest::newRow("A") << 65 << 1 << 10 << int(ShiftRight);
    QTest::newRow("H") << 72 << 15 << 15 << int(ShiftLeft);
    QTest::newRow("B") << 66 << 3 << 25 << int(ShiftLeft);
    QTest::newRow("&") << 38 << 74 << 46 << int(ShiftRight);
    QTest::newRow("@") << 64 << 65 << 0 << int(AltGr);
    QTest::newRow("euro") << 128 << 104 << 2 << int(AltGr);
    QTest::newRow("micro") << 181 << 59 << 27 << int(AltGr);
    QTest::newRow("e acute") << 233 << 118 << 2 << int(AccentAcute);
    QTest::newRow("caret") << 94 << 122 << 52 << int(CaretSymbol);
    QTest::newRow("CR") << 13 << kCarriageReturnEntry << 48 << int(ShiftNone);
    QTest::newRow("E acute") << 201 << -1 << -1 << -1;
    QTest::newRow("tab") << 9 << -1 << -1 << -1;
    QTest::newRow("LF") << 10 << -1 << -1 << -1;
    QTest::newRow("out of range") << 300 << -1 << -1 << -1;
}

void TestCharKeyMap::lookups() {
    QFETCH(int, code);
    QFETCH(int, entry);
    QFETCH(int, key);
    QFETCH(int, shift);
    const int found = FindCharEntry(code);
    QCOMPARE(found, entry);
    if (found < 0) return;
    QCOMPARE(int(CharKeyMap()[found].KeyNumber), key);
    QCOMPARE(int(CharKeyMap()[found].ShiftState), shift);
}

void TestCharKeyMap::unicodeLookups() {
    // The euro sign and the typographic quotes differ between Unicode and
    // Windows-1252; only the euro sign is typeable.
    QCOMPARE(FindCharEntryForUnicode(U'€'), 104);
    QCOMPARE(FindCharEntryForUnicode(U'ß'), 86);
    QCOMPARE(FindCharEntryForUnicode(U'\u201C'), -1);
    QCOMPARE(FindCharEntryForUnicode(U'\u0080'), -1);  // C1 control, not the euro
    QCOMPARE(FindCharEntryForUnicode(U'\u4E2D'), -1);
}

void TestCharKeyMap::modifierKeys() {
    QCOMPARE(ModifierKeyFor(ShiftLeft), 30);
    QCOMPARE(ModifierKeyFor(ShiftRight), 36);
    QCOMPARE(ModifierKeyFor(AltGr), 38);
    for (int s : {0, 4, 5, 6, 7, 8, 9}) QCOMPARE(ModifierKeyFor(s), -1);
}

QTEST_APPLESS_MAIN(TestCharKeyMap)
#include "tst_charkeymap.moc"
