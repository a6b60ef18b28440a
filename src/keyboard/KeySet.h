// The 63 keys of the on-screen keyboard: geometry at the design size (a
// screen of 800 x 600), caption fonts, two-line captions, finger groups and
// finger colours. Key numbers are the ones CharKeyMap uses.
#pragma once

#include "platform/BgrColour.h"

#include <QColor>
#include <QRect>
#include <QString>

#include <cstdint>

namespace tastolino {

inline constexpr int kKeyCount = 63;

// Keys with a role of their own.
enum KeyNumberOf : int {
    KeyB = 25,
    KeyLeftShift = 30,
    KeySpace = 35,
    KeyRightShift = 36,
    KeyMenu = 37,  // double click switches flat / 3D drawing
    KeyAltGr = 38,
    KeyEnterLower = 48,
    KeyCapsLock = 55,
    KeyEnterUpper = 62,
};

enum class Finger { Little, Ring, Middle, Index, Thumb };

// How a caption is drawn: text in the caption font, or a symbol glyph.
enum class CaptionKind { Text, Glyph, Icon };

struct KeyDef {
    int16_t left, top, width, height;  // pixels at the design size
    double fontPoints;                 // caption font size
    Finger classic;                    // finger with the classic division
    Finger ergonomic;                  // finger with the ergonomic division
};

const KeyDef& keyDef(int key);
QRect designRect(int key);

// The finger that types a key under either division.
Finger fingerOf(int key, bool ergonomic);

// The caption: the shifted symbol on the first line, the unshifted one on
// the second with the AltGr symbol to its right. Blanks are part of the
// layout of the caption. Symbol keys have one glyph (CaptionKind::Glyph, a
// Unicode symbol) or an icon of the program (CaptionKind::Icon, the
// resource path in `line1`).
struct KeyCaption {
    CaptionKind kind = CaptionKind::Text;
    QString line1;
    QString line2;
};
KeyCaption keyCaption(int key);

uint32_t bgrFromColour(const QColor& c);

inline constexpr uint32_t kColourLittle = 0xE0CFB9;
inline constexpr uint32_t kColourRing = 0xB5DED6;
inline constexpr uint32_t kColourMiddle = 0xC5CCEF;
inline constexpr uint32_t kColourIndex = 0xB8CCA2;
inline constexpr uint32_t kColourSpace = 0xEBEBE2;
inline constexpr uint32_t kColourNoFinger = 0xE0E0E0;

uint32_t fingerColourBgr(int key, bool ergonomic);

}  // namespace tastolino
