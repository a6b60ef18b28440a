#include "keyboard/KeySet.h"

namespace tastolino {
namespace {

// left, top, width, height, caption font size (points), finger with the
// classic and with the ergonomic division.
constexpr KeyDef kKeys[kKeyCount] = {
    {60, 47, 29, 33, 12, Finger::Little, Finger::Little},        // 0 Q
    {99, 47, 29, 33, 12, Finger::Ring, Finger::Ring},            // 1 W
    {138, 47, 29, 33, 12, Finger::Middle, Finger::Middle},       // 2 E
    {177, 47, 29, 33, 12, Finger::Index, Finger::Index},         // 3 R
    {216, 47, 29, 33, 12, Finger::Index, Finger::Index},         // 4 T
    {255, 47, 29, 33, 12, Finger::Index, Finger::Index},         // 5 Z
    {294, 47, 29, 33, 12, Finger::Index, Finger::Index},         // 6 U
    {333, 47, 29, 33, 12, Finger::Middle, Finger::Middle},       // 7 I
    {372, 47, 29, 33, 12, Finger::Ring, Finger::Ring},           // 8 O
    {411, 47, 29, 33, 12, Finger::Little, Finger::Little},       // 9 P
    {67, 89, 29, 33, 12, Finger::Little, Finger::Little},        // 10 A
    {106, 89, 29, 33, 12, Finger::Ring, Finger::Ring},           // 11 S
    {145, 89, 29, 33, 12, Finger::Middle, Finger::Middle},       // 12 D
    {184, 89, 29, 33, 12, Finger::Index, Finger::Index},         // 13 F
    {223, 89, 29, 33, 12, Finger::Index, Finger::Index},         // 14 G
    {262, 89, 29, 33, 12, Finger::Index, Finger::Index},         // 15 H
    {301, 89, 29, 33, 12, Finger::Index, Finger::Index},         // 16 J
    {340, 89, 29, 33, 12, Finger::Middle, Finger::Middle},       // 17 K
    {379, 89, 29, 33, 12, Finger::Ring, Finger::Ring},           // 18 L
    {418, 89, 29, 33, 12, Finger::Little, Finger::Little},       // 19 Ö
    {53, 131, 29, 33, 9.75, Finger::Little, Finger::Little},     // 20 < >
    {92, 131, 29, 33, 12, Finger::Ring, Finger::Little},         // 21 Y
    {131, 131, 29, 33, 12, Finger::Middle, Finger::Ring},        // 22 X
    {170, 131, 29, 33, 12, Finger::Index, Finger::Middle},       // 23 C
    {209, 131, 29, 33, 12, Finger::Index, Finger::Index},        // 24 V
    {248, 131, 29, 33, 12, Finger::Index, Finger::Index},        // 25 B
    {287, 131, 29, 33, 12, Finger::Index, Finger::Index},        // 26 N
    {326, 131, 29, 33, 12, Finger::Middle, Finger::Index},       // 27 M
    {365, 131, 29, 33, 9.75, Finger::Ring, Finger::Middle},      // 28 , ;
    {404, 131, 29, 33, 9.75, Finger::Little, Finger::Ring},      // 29 . :
    {4, 131, 39, 33, 15.75, Finger::Little, Finger::Little},     // 30 left Shift
    {127, 173, 50, 33, 9.75, Finger::Middle, Finger::Middle},    // 31 Alt
    {394, 5, 29, 33, 9.75, Finger::Ring, Finger::Ring},          // 32 0
    {355, 5, 29, 33, 9.75, Finger::Middle, Finger::Middle},      // 33 9
    {316, 5, 29, 33, 9.75, Finger::Index, Finger::Index},        // 34 8
    {187, 173, 161, 33, 12, Finger::Thumb, Finger::Thumb},       // 35 space bar
    {482, 131, 106, 33, 15.75, Finger::Little, Finger::Little},  // 36 right Shift
    {478, 173, 50, 33, 15.75, Finger::Little, Finger::Little},   // 37 menu key
    {358, 173, 50, 33, 9.75, Finger::Ring, Finger::Ring},        // 38 AltGr
    {418, 173, 50, 33, 14.25, Finger::Little, Finger::Little},   // 39 right Windows
    {457, 89, 29, 33, 12, Finger::Little, Finger::Little},       // 40 Ä
    {496, 89, 29, 33, 9.75, Finger::Little, Finger::Little},     // 41 # '
    {450, 47, 29, 33, 12, Finger::Little, Finger::Little},       // 42 Ü
    {489, 47, 29, 33, 9.75, Finger::Little, Finger::Little},     // 43 + *
    {4, 173, 53, 33, 9.75, Finger::Little, Finger::Little},      // 44 left Ctrl
    {277, 5, 29, 33, 9.75, Finger::Index, Finger::Index},        // 45 7
    {238, 5, 29, 33, 9.75, Finger::Index, Finger::Index},        // 46 6
    {538, 173, 50, 33, 9.75, Finger::Little, Finger::Little},    // 47 right Ctrl
    {535, 80, 53, 42, 9.75, Finger::Little, Finger::Little},     // 48 Enter lower part
    {199, 5, 29, 33, 9.75, Finger::Index, Finger::Index},        // 49 5
    {433, 5, 29, 33, 9.75, Finger::Little, Finger::Little},      // 50 ß
    {472, 5, 29, 33, 14.25, Finger::Little, Finger::Little},     // 51 acute dead key
    {4, 5, 29, 33, 9.75, Finger::Little, Finger::Little},        // 52 circumflex dead key
    {443, 131, 29, 33, 9.75, Finger::Little, Finger::Little},    // 53 - _
    {4, 47, 46, 33, 15.75, Finger::Little, Finger::Little},      // 54 Tab
    {4, 89, 53, 33, 15.75, Finger::Little, Finger::Little},      // 55 Caps Lock
    {67, 173, 50, 33, 14.25, Finger::Little, Finger::Little},    // 56 left Windows
    {160, 5, 29, 33, 9.75, Finger::Middle, Finger::Middle},      // 57 4
    {121, 5, 29, 33, 9.75, Finger::Ring, Finger::Ring},          // 58 3
    {511, 5, 77, 33, 21.75, Finger::Little, Finger::Little},     // 59 Backspace
    {43, 5, 29, 33, 9.75, Finger::Little, Finger::Little},       // 60 1
    {82, 5, 29, 33, 9.75, Finger::Little, Finger::Little},       // 61 2
    {528, 47, 60, 33, 18, Finger::Little, Finger::Little},       // 62 Enter upper part
};

// Symbol glyphs for keys without a character of their own. DejaVu Sans has
// all of them.
const QString kShiftGlyph = QStringLiteral("\u21E7");      // outlined up arrow
const QString kCapsGlyph = QStringLiteral("\u21E9");       // outlined down arrow
const QString kTabGlyph = QStringLiteral("\u21B9");        // arrows to bars
const QString kBackspaceGlyph = QStringLiteral("\u27F5");  // long left arrow
const QString kEnterGlyph = QStringLiteral(" \u21B5");     // down-left arrow

}  // namespace

const KeyDef& keyDef(int key) {
    return kKeys[key];
}

QRect designRect(int key) {
    const KeyDef& k = kKeys[key];
    return QRect(k.left, k.top, k.width, k.height);
}

Finger fingerOf(int key, bool ergonomic) {
    return ergonomic ? kKeys[key].ergonomic : kKeys[key].classic;
}

KeyCaption keyCaption(int key) {
    auto text = [](const QString& a, const QString& b = QString()) {
        return KeyCaption{CaptionKind::Text, a, b};
    };
    auto glyph = [](const QString& g) { return KeyCaption{CaptionKind::Glyph, g, QString()}; };
    auto icon = [](const char* path) {
        return KeyCaption{CaptionKind::Icon, QString::fromLatin1(path), QString()};
    };
    switch (key) {
        case 0:
            return text(QStringLiteral("Q"), QStringLiteral("    @"));
        case 2:
            return text(QStringLiteral(" E"), QStringLiteral("      €"));
        case 19:
            return text(QStringLiteral("Ö"), QStringLiteral(" ö"));
        case 20:
            return text(QStringLiteral(" >"), QStringLiteral("  <   |"));
        case 27:
            return text(QStringLiteral("M          µ"));
        case 28:
            return text(QStringLiteral(" ;"), QStringLiteral("  ,"));
        case 29:
            return text(QStringLiteral(" :"), QStringLiteral("  ."));
        case 32:
            return text(QStringLiteral(" ="), QStringLiteral("  0   }"));
        case 33:
            return text(QStringLiteral(" )"), QStringLiteral("  9   ]"));
        case 34:
            return text(QStringLiteral(" ("), QStringLiteral("  8   ["));
        case 40:
            return text(QStringLiteral("Ä"), QStringLiteral("ä"));
        case 41:
            return text(QStringLiteral(" '"), QStringLiteral("#"));
        case 42:
            return text(QStringLiteral("Ü"), QStringLiteral(" ü"));
        case 43:
            return text(QStringLiteral(" *"), QStringLiteral("  +   ~"));
        case 45:
            return text(QStringLiteral(" /"), QStringLiteral("  7   {"));
        // Painted text, so a single ampersand: there is no access-key marker.
        case 46:
            return text(QStringLiteral(" &"), QStringLiteral("  6"));
        case 49:
            return text(QStringLiteral(" %"), QStringLiteral("  5"));
        case 50:
            return text(QStringLiteral(" ?"), QStringLiteral("  ß   \\"));
        case 51:
            return text(QStringLiteral(" `"), QStringLiteral("  ´"));
        case 52:
            return text(QStringLiteral(" °"), QStringLiteral("  ^"));
        case 53:
            return text(QStringLiteral(" _"), QStringLiteral("  -"));
        case 57:
            return text(QStringLiteral(" $"), QStringLiteral("  4"));
        case 58:
            return text(QStringLiteral(" §"), QStringLiteral("  3   ³"));
        case 60:
            return text(QStringLiteral(" !"), QStringLiteral("  1"));
        case 61:
            return text(QStringLiteral(" \""), QStringLiteral("  2   ²"));
        case 31:
            return text(QStringLiteral(" Alt"));
        case 38:
            return text(QStringLiteral(" Alt Gr"));
        case 44:
        case 47:
            return text(QStringLiteral(" Strg"));
        case 35:
        case 48:
            return text(QString());
        case 30:
        case 36:
            return glyph(kShiftGlyph);
        case 55:
            return glyph(kCapsGlyph);
        case 54:
            return glyph(kTabGlyph);
        case 59:
            return glyph(kBackspaceGlyph);
        case 62:
            return glyph(kEnterGlyph);
        case 39:
        case 56:
            return icon(":/keyboard/windows.svg");
        case 37:
            return icon(":/keyboard/menu.svg");
        default:
            break;
    }
    // The remaining letter keys show their capital alone.
    static const char kLetters[] = "QWERTZUIOPASDFGHJKL__YXCVBN";
    if (key >= 1 && key <= 26 && key != 19 && key != 20)
        return text(QString(QLatin1Char(kLetters[key])));
    return text(QString());
}

uint32_t bgrFromColour(const QColor& c) {
    return uint32_t(c.red()) | (uint32_t(c.green()) << 8) | (uint32_t(c.blue()) << 16);
}

uint32_t fingerColourBgr(int key, bool ergonomic) {
    switch (fingerOf(key, ergonomic)) {
        case Finger::Ring:
            return kColourRing;
        case Finger::Middle:
            return kColourMiddle;
        case Finger::Index:
            return kColourIndex;
        case Finger::Thumb:
            return kColourSpace;
        case Finger::Little:
            break;
    }
    return kColourLittle;
}

}  // namespace tastolino
