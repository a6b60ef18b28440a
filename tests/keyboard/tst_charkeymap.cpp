// The character-to-key map: entry numbers, keys and shift states as the
// rest of the program relies on them.
#include "keyboard/CharKeyMap.h"

#include <QTest>

#include <set>

using namespace tastolino;

class TestCharKeyMap : public QObject {
    Q_OBJECT
  private slots:
    void everyEntryAsTabled();
    void lookups_data();
    void lookups();
    void unicodeLookups();
    void modifierKeys();
};

void TestCharKeyMap::everyEntryAsTabled() {
    // {CharCode, KeyNumber, ShiftState} of entries 0..124.
    const int expected[kCharKeyEntryCount][3] = {
        {97, 10, 0},   // 0 a
        {65, 10, 2},   // 1 A
        {98, 25, 0},   // 2 b
        {66, 25, 1},   // 3 B
        {99, 23, 0},   // 4 c
        {67, 23, 2},   // 5 C
        {100, 12, 0},  // 6 d
        {68, 12, 2},   // 7 D
        {101, 2, 0},   // 8 e
        {69, 2, 2},    // 9 E
        {102, 13, 0},  // 10 f
        {70, 13, 2},   // 11 F
        {103, 14, 0},  // 12 g
        {71, 14, 2},   // 13 G
        {104, 15, 0},  // 14 h
        {72, 15, 1},   // 15 H
        {105, 7, 0},   // 16 i
        {73, 7, 1},    // 17 I
        {113, 0, 0},   // 18 q
        {81, 0, 2},    // 19 Q
        {119, 1, 0},   // 20 w
        {87, 1, 2},    // 21 W
        {114, 3, 0},   // 22 r
        {82, 3, 2},    // 23 R
        {116, 4, 0},   // 24 t
        {84, 4, 2},    // 25 T
        {122, 5, 0},   // 26 z
        {90, 5, 1},    // 27 Z
        {117, 6, 0},   // 28 u
        {85, 6, 1},    // 29 U
        {111, 8, 0},   // 30 o
        {79, 8, 1},    // 31 O
        {112, 9, 0},   // 32 p
        {80, 9, 1},    // 33 P
        {115, 11, 0},  // 34 s
        {83, 11, 2},   // 35 S
        {106, 16, 0},  // 36 j
        {74, 16, 1},   // 37 J
        {107, 17, 0},  // 38 k
        {75, 17, 1},   // 39 K
        {108, 18, 0},  // 40 l
        {76, 18, 1},   // 41 L
        {121, 21, 0},  // 42 y
        {89, 21, 2},   // 43 Y
        {120, 22, 0},  // 44 x
        {88, 22, 2},   // 45 X
        {118, 24, 0},  // 46 v
        {86, 24, 2},   // 47 V
        {110, 26, 0},  // 48 n
        {78, 26, 1},   // 49 N
        {109, 27, 0},  // 50 m
        {77, 27, 1},   // 51 M
        {44, 28, 0},   // 52 ,
        {59, 28, 1},   // 53 ;
        {46, 29, 0},   // 54 .
        {58, 29, 1},   // 55 :
        {45, 53, 0},   // 56 -
        {95, 53, 1},   // 57 _
        {176, 52, 2},  // 58 °
        {181, 27, 3},  // 59 µ
        {49, 60, 0},   // 60 1
        {33, 60, 2},   // 61 !
        {178, 61, 3},  // 62 ²
        {50, 61, 0},   // 63 2
        {34, 61, 2},   // 64 double quote
        {64, 0, 3},    // 65 @
        {51, 58, 0},   // 66 3
        {167, 58, 2},  // 67 §
        {179, 58, 3},  // 68 ³
        {52, 57, 0},   // 69 4
        {36, 57, 2},   // 70 $
        {53, 49, 0},   // 71 5
        {37, 49, 2},   // 72 %
        {54, 46, 0},   // 73 6
        {38, 46, 2},   // 74 &
        {93, 33, 3},   // 75 ]
        {55, 45, 0},   // 76 7
        {47, 45, 1},   // 77 /
        {123, 45, 3},  // 78 {
        {56, 34, 0},   // 79 8
        {40, 34, 1},   // 80 (
        {91, 34, 3},   // 81 [
        {57, 33, 0},   // 82 9
        {41, 33, 1},   // 83 )
        {48, 32, 0},   // 84 0
        {61, 32, 1},   // 85 =
        {223, 50, 0},  // 86 ß
        {63, 50, 1},   // 87 ?
        {60, 20, 0},   // 88 <
        {62, 20, 2},   // 89 >
        {124, 20, 3},  // 90 vertical bar
        {214, 19, 1},  // 91 Ö
        {246, 19, 0},  // 92 ö
        {196, 40, 1},  // 93 Ä
        {228, 40, 0},  // 94 ä
        {92, 50, 3},   // 95 backslash
        {35, 41, 0},   // 96 #
        {39, 41, 1},   // 97 '
        {126, 43, 3},  // 98 ~
        {252, 42, 0},  // 99 ü
        {220, 42, 1},  // 100 Ü
        {125, 32, 3},  // 101 }
        {43, 43, 0},   // 102 +
        {42, 43, 1},   // 103 *
        {128, 2, 3},   // 104 €
        {32, 35, 0},   // 105 space
        {13, 48, 0},   // 106 carriage return
        {226, 10, 5},  // 107 â
        {234, 2, 5},   // 108 ê
        {238, 7, 5},   // 109 î
        {244, 8, 5},   // 110 ô
        {251, 6, 5},   // 111 û
        {232, 2, 6},   // 112 è
        {224, 10, 6},  // 113 à
        {236, 7, 6},   // 114 ì
        {242, 8, 6},   // 115 ò
        {249, 6, 6},   // 116 ù
        {225, 10, 4},  // 117 á
        {233, 2, 4},   // 118 é
        {237, 7, 4},   // 119 í
        {243, 8, 4},   // 120 ó
        {250, 6, 4},   // 121 ú
        {94, 52, 7},   // 122 ^
        {96, 51, 8},   // 123 grave accent
        {180, 51, 9},  // 124 ´
    };
    BuildCharKeyMap();
    const CharKeyTable& map = CharKeyMap();
    std::set<int> codes;
    for (int i = 0; i < kCharKeyEntryCount; ++i) {
        QCOMPARE(map[i].CharCode, expected[i][0]);
        QCOMPARE(map[i].KeyNumber, expected[i][1]);
        QCOMPARE(map[i].ShiftState, expected[i][2]);
        QVERIFY2(codes.insert(map[i].CharCode).second, "a character code occurs twice");
        QCOMPARE(FindCharEntry(map[i].CharCode), i);
    }
    // Keys that type no character.
    for (int key : {30, 31, 36, 37, 38, 39, 44, 47, 54, 55, 56, 59, 62})
        for (const CharKeyEntry& e : map) QVERIFY(e.KeyNumber != key);
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
