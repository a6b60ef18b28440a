// The character-to-key map of the German keyboard: for each typeable
// character (a Windows-1252 code) the key number that types it and what must
// be held or pressed first. Entry numbers are fixed; callers rely on them
// (entry 106, the carriage return, also lights the upper Enter part).
#pragma once

#include <array>
#include <cstdint>

namespace tastolino {

enum ShiftState : int16_t {
    ShiftNone = 0,         // the key alone
    ShiftLeft = 1,         // with the left Shift (key 30)
    ShiftRight = 2,        // with the right Shift (key 36)
    AltGr = 3,             // with AltGr (key 38)
    AccentAcute = 4,       // acute dead key first, then the vowel
    AccentCircumflex = 5,  // circumflex dead key first, then the vowel
    AccentGrave = 6,       // Shift + acute dead key first, then the vowel
    CaretSymbol = 7,       // "^" itself, on its dead key
    GraveSymbol = 8,       // "`" itself, on the dead key 51
    AcuteSymbol = 9,       // "´" itself, on the dead key 51
};

struct CharKeyEntry {
    int16_t CharCode;    // Windows-1252 code, 0..255
    int16_t KeyNumber;   // 0..62
    int16_t ShiftState;  // 0..9, see ShiftState
};

inline constexpr int kCharKeyEntryCount = 125;
inline constexpr int kCarriageReturnEntry = 106;
using CharKeyTable = std::array<CharKeyEntry, kCharKeyEntryCount>;

// The shared map, built on first use.
const CharKeyTable& CharKeyMap();
// (Re)fills the shared map.
void BuildCharKeyMap();
// The number of the first entry whose CharCode equals `code`, or -1.
int FindCharEntry(int code);
// The same for a Unicode character, through its Windows-1252 code; -1 for
// characters the code page lacks.
int FindCharEntryForUnicode(char32_t codePoint);

// The key and modifier key to highlight for a shift state: 30, 36 or 38 for
// states 1 to 3, else -1.
int ModifierKeyFor(int shiftState);

}  // namespace tastolino
