// The figures of the results window, apart from any painting, so that the
// window, its printout and the PDF report show the same numbers.
#pragma once

#include "platform/AppState.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>

namespace tastolino {

// Texts of the results window, Italian defaults (33 entries).
const QStringList& defaultResultsTexts();
// Language identifiers of the same entries; entries 2, 10, 11 and 12 get
// their trailing blanks added after the lookup (see resultsTextsFrom).
const std::array<const char*, 33>& resultsTextIds();
// The texts from a language file, looked up by identifier.
QStringList resultsTextsFrom(const std::function<QString(const QString&)>& lookup);

// One level table: per sentence the keystrokes per minute and the score,
// and the level's averages.
struct LevelFigures {
    int first = 1;                // number of the level's first sentence
    std::array<int, 5> kpm{};     // whole keystrokes per minute
    std::array<int, 5> scores{};  // 0..100
    float averageSpeed = 0;       // keystrokes per second
    int averageKpm = 0;
    int averageScore = 0;
    int symbol = 0;  // rating symbol index 0..4
};
LevelFigures levelFigures(const ExerciseResults& results, int first);

// Sentence score of the results window: Int(speed x factor x 100), 100
// when above 99.
int resultsScore(float speed, float scoreFactor);
// Rating symbol 0..4 of a score: 0 up to 20 (negatives too), 1 to 40,
// 2 to 60, 3 to 80, 4 above.
int ratingSymbolIndex(int score);
// Rating word 0..3 ("Ottimo" .. "Insufficiente") of the error ratio.
int ratingWordIndex(int errorCount, int correctCount, bool expertMode);
// Closing message for `reason` (1 level ended, 2 exercise ended).
QString closingMessage(const QStringList& texts, int reason, int currentLevel);

}  // namespace tastolino
