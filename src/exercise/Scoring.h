// Figures of a finished sentence and of the running exercise: speed, score,
// best-speed comparison, the message after a sentence, level averages, the
// level lamps and the error-ratio face. Pure functions over the shared
// exercise results, so the engine and the results windows agree on them.
#pragma once

#include "exercise/AppState.h"

#include <QChar>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace tastolino {

inline constexpr uint32_t kUnderlineBeginner = 0xFF0000;  // blue
inline constexpr uint32_t kUnderlineExpert = 0x0000FF;    // red

// Selects the category: 0 beginner, 1 expert. `messages` is the interface
// message table (slots 29 and 30 name the categories).
void SetCategory(ExerciseResults& results, int index, const QStringList& messages);
uint32_t underlineColour(int categoryIndex);
// Icons at the two ends of the speed bar (imgMedia(0), imgMedia(1)).
std::array<int, 2> speedBarEndIcons(int categoryIndex);

// Int() of a single-precision figure: the whole number at or below it;
// 0 for a figure that has no value.
int wholePart(float value);

// Keystrokes per second of a sentence of `length` characters typed in
// `wholeSeconds`; a sentence finished within one second counts as 5.
float sentenceSpeed(int length, qint64 wholeSeconds);

// Int(factor x speed x 100), clamped to 1..100. Speeds and the factor are
// single precision and so is every step of the products made of them.
int sentenceScore(float scoreFactor, float speed);

// Average score of a level (1..3) from the per-sentence speeds; speeds
// above the 100-point speed count as that speed. Summed and multiplied out
// in single precision. 0 on any failure.
int calcolaMediaLevel(const ExerciseResults& results, int level);

// Icon category 0..4 of a score, plus 5 in the expert category.
int ScoreCategory(int score, int categoryIndex);

// Width of the speed bar after `wholeSeconds` of typing with `textPos`
// being the position of the next expected character; never wider than
// `barFullWidth`.
int speedBarWidth(qint64 wholeSeconds, int textPos, int barFullWidth, float scoreFactor);

// Clock text "mm:ss" of an elapsed time.
QString clockText(qint64 elapsedMs);

// Error-ratio face: back colour (0xBBGGRR) and the hand-sign character of
// the label's symbol font, from "B" (best) over "A", "C" to "D" (worst).
struct Face {
    uint32_t backColour = 0;
    QChar symbol;
    bool operator==(const Face&) const = default;
};
Face ErrorRatioFace(int errorCount, int correctCount, bool expertMode);

// Level lamps lblMediaLevel(3..5): dim colours, and the bright colour of
// the level in progress.
uint32_t lampColour(int level, bool bright);

// Row y of the best-speed bar painted for `level` (1..3).
uint32_t bestBarRowColour(int level, int y);
// Row y (0..10) of the shading at the top of the message panel.
uint32_t messageShadeColour(int y);

// The message shown after a sentence. `praise` is used only for scores of
// 41 and above (from the "great" list for a new best, else the "good" one).
QString sentenceMessage(int score, bool newBest, float speed, const QStringList& messages,
                        const QString& perMinuteText, const QString& praise);

// A random word of a seven-word praise list.
QString pickPraise(const QStringList& list);

}  // namespace tastolino
