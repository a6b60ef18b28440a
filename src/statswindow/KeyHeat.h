// The weak keys as the statistics window paints them on the keyboard: the
// figures of every character added up per key (a key types its letter,
// the capital and the dead-key letters built on it), a colour from green
// through yellow to red by error rate, grey where the key has too few
// keystrokes, and the tooltip of each key.
#pragma once

#include "stats/StatsQueries.h"
#include "stats/StatsTexts.h"

#include <QColor>
#include <QString>

#include <array>
#include <utility>
#include <vector>

namespace tastolino {

inline constexpr int kHeatKeyCount = 63;

// At this error rate and above a key is fully red; half of it is yellow.
inline constexpr double kHeatFullRate = 0.10;

struct KeyHeat {
    int keystrokes = 0;
    int errors = 0;
    // The characters typed instead on this key, most frequent first.
    std::vector<std::pair<char32_t, int>> typedInstead;
    double errorRate() const { return keystrokes > 0 ? double(errors) / keystrokes : 0; }
    bool enoughData() const { return keystrokes >= kMinKeystrokesForRate; }
};

using KeyboardHeat = std::array<KeyHeat, kHeatKeyCount>;

// The key of a character: -1 for one without a key. Enter counts for its
// lower part (48), which is what is pressed.
int heatKeyOf(char32_t ch);

KeyboardHeat keyboardHeat(const std::vector<CharacterStats>& characters);

// Green (0) through yellow (kHeatFullRate / 2) to red (kHeatFullRate and
// above).
QColor heatColour(double errorRate);
// Grey for a key without enough keystrokes.
QColor heatColour(const KeyHeat& heat);

// A character as a table or tooltip shows it: Enter and the blank by name.
QString characterLabel(char32_t ch, const TextLookup& lookup = {});
// "3,5 %" in the locale's way.
QString percentText(double rate);

// Keystrokes, errors with the rate, and the three characters most often
// typed instead (or that there are too few keystrokes for a rate); empty
// for a key never typed.
QString heatToolTip(const KeyHeat& heat, const TextLookup& lookup = {});

// The window's own texts, by identifier ("9110"), through `lookup`.
QString windowText(const char* id, const TextLookup& lookup);

}  // namespace tastolino
