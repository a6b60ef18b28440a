// The record of the running or finished exercise, which the main module
// keeps and hands to the result windows, and the answers those windows
// give back.
#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace tastolino {

// Why the results window is shown.
enum class ResultsReason : int16_t {
    None = 0,
    LevelEnded = 1,
    ExerciseEnded = 2,
};

// What the learner answered in the results window.
enum class ResultsAnswer : int16_t {
    Open = -1,     // not answered (yet), or the window was closed
    Continue = 0,  // "Continua"
    Finish = 1,    // "Termina"
};

// The record of the running or finished exercise.
struct ExerciseResults {
    QString userName;                        // from the user name entry; empty = none
    bool expertMode = false;                 // the expert category is selected
    int16_t categoryIndex = 0;               // 0 beginner, 1 expert
    QString categoryName;                    // "Principiante" or "Esperto" (messages 29 / 30)
    float scoreFactor = 0.4f;                // 0.4 beginner, 0.2 expert
    std::array<float, 16> sentenceSpeeds{};  // keystrokes per second, [1..15]; [0] unused
    int16_t currentLevel = 1;                // 1..3 (3 throughout a free text)
    int16_t correctCount = 0;                // correct keystrokes of the exercise
    int16_t errorCount = 0;                  // wrong keystrokes of the exercise
    int32_t spaceCount = 0;                  // free text: blanks reached while typing
    double freeTextElapsedDays = 0;          // free text: time from first key to end, in days
    QString exerciseFile;                    // full path of the exercise file; empty = internal
    QString exerciseText;                    // text of the sentence or of the whole free text
    ResultsReason resultsReason = ResultsReason::None;
    ResultsAnswer resultsAnswer = ResultsAnswer::Open;
    QString perMinuteText = QStringLiteral("al minuto");
};

}  // namespace tastolino
