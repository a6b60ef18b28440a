// The figures of the results window, apart from any painting, so that the
// window, its printout and the PDF report show the same numbers.
#pragma once

#include "platform/ExerciseResults.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>

namespace tastolino {

// The 33 texts of the results window: Italian, or from the current
// language file (a text the file lacks stays Italian). Entries 2, 11 and 12
// end in a blank, entry 10 in three with a language file and in one
// without; the Italian entries keep the blanks the window has always shown.
QStringList resultsTexts(bool fromFile);

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
// Closing message for `reason`; empty for no reason.
QString closingMessage(const QStringList& texts, ResultsReason reason, int currentLevel);

}  // namespace tastolino
