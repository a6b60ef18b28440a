// The internal sentence bank: 45 German sentences in three levels of
// fifteen, and the draw that picks the sentence of each exercise step.
#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <functional>

namespace tastolino {

inline constexpr int kBankSize = 45;

// Entry n (1..45) of the bank; empty for any other n. Level-3 entries hold
// two lines joined by CR LF.
QString Frasi(int n);

// Level of sentence s (1..15) of an exercise: 1 for 1..5, 2 for 6..10, 3 after.
int levelOfSentence(int sentenceNo);

// Bank numbers drawn in the running exercise; slot k (1..15) holds the
// number drawn for sentence k, 0 = empty. Slot 0 is unused.
using UsedSentences = std::array<int16_t, 16>;

// Reads entry `key` of level `level` from an exercise file, already made
// typeable; empty when the file lacks it.
using EntryReader = std::function<QString(const QString& file, int level, int key)>;

// Draws the text of sentence `sentenceNo` (1..15): a bank number of the
// sentence's level not yet used in this exercise is recorded in `used`.
// Without an exercise file the bank text is returned. With a file, a level
// holding an entry 6 is played in the random order of the draw, otherwise
// its first five entries in order; an empty file entry falls back to the
// bank sentence.
QString DrawSentence(int sentenceNo, UsedSentences& used, const QString& exerciseFile,
                     const EntryReader& readEntry);

}  // namespace tastolino
