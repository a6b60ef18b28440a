// The rules of the falling-character game and of the letter training that
// need no window: modes, points, the characters of a turn, the custom letter
// set and the per-user records file.
#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace tastolino::game {

inline constexpr int kSlotCount = 18;
inline constexpr int kTurnCount = 6;
inline constexpr int kModeCount = 8;
inline constexpr int kFirstTrainingMode = 3;
inline constexpr int kCustomMode = 7;
inline constexpr int kCustomMinLength = 4;
inline constexpr int kCustomMaxLength = 17;

// The letter sets of the fixed training modes 3..6 (also their captions).
QString trainingSet(int mode);

inline bool isGameMode(int mode) {
    return mode >= 0 && mode < kFirstTrainingMode;
}

// Characters falling in one game turn: 6, 12 or 18.
int charactersPerTurn(int mode);
// How far above the play area the letters of a turn may start: -50, -160, -220.
int startDepthOf(int mode);

// A uniformly drawn integer low..high inclusive.
int RandomBetween(int low, int high);

// Points of a character caught with its top at y: more the higher it is
// caught, 100 in the upper part of the area, never more than 100.
int CatchScore(int y, int playHeight);

// The 18 different characters of a turn, drawn for the mode.
std::array<QChar, kSlotCount> drawTurnCharacters(int mode);

// The colour of a falling game character: white letters, yellow capitals,
// light cyan digits. 0xBBGGRR.
uint32_t characterColour(QChar c);

// The custom set as it is kept: the characters in order of appearance,
// each once, without blanks. Empty when fewer than four remain.
QString normalisedCustomSet(const QString& typed);
// Whether a character typed into the custom box is kept.
bool acceptsCustomCharacter(const QString& box, QChar c);

// Points with thousands grouped by `group` ("." in Italian); 0 gives an
// empty text.
QString formatScore(int32_t score, const QString& group = QStringLiteral("."));
// The training duration for the time bar value 1..4 with the decimal
// separator `point`, e.g. "2,5 min".
QString durationText(int timeValue, const QString& point = QStringLiteral(","));

// The records file "TastolinoWinner.ini" in the program folder, or in the
// user's data folder when the program folder cannot be written: one section
// per user, named by the user's storage key, keys "Difficulty1"..
// "Difficulty3" for modes 0..2.
QString recordsFilePath(const QString& appFolder);
std::array<int32_t, 3> readRecords(const QString& appFolder, const QString& userName);
// False when the file cannot be written; the caller carries on.
bool writeRecord(const QString& appFolder, const QString& userName, int mode, int32_t score);

}  // namespace tastolino::game
