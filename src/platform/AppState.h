// The state shared by all windows for the whole run: flags, the program
// folder, and the one record of the running or finished exercise. The main
// module owns it; lower layers (results, game, keyboard) read and write it
// through appState().
#pragma once

#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>

namespace tastolino {

// The record of the running or finished exercise.
struct ExerciseResults {
    QString userName;             // from the user name entry; empty = none
    bool expertMode = false;      // the expert category is selected
    int16_t categoryIndex = 0;    // 0 beginner, 1 expert
    QString categoryName;         // "Principiante" or "Esperto" (messages 29 / 30)
    float scoreFactor = 0.4f;     // 0.4 beginner, 0.2 expert
    std::array<float, 16> sentenceSpeeds{};  // keystrokes per second, [1..15]; [0] unused
    int16_t currentLevel = 1;     // 1..3 (3 throughout a free text)
    int16_t correctCount = 0;     // correct keystrokes of the exercise
    int16_t errorCount = 0;       // wrong keystrokes of the exercise
    int32_t spaceCount = 0;       // free text: blanks reached while typing
    double freeTextElapsedDays = 0;  // free text: time from first key to end, in days
    QString exerciseFile;         // full path of the exercise file; empty = internal
    QString exerciseText;         // text of the sentence or of the whole free text
    int16_t resultsReason = 0;    // 1 a level has ended, 2 the exercise has ended
    int16_t resultsAnswer = -1;   // -1 open, 0 "Continua", 1 "Termina"
    QString perMinuteText = QStringLiteral("al minuto");
};

struct AppState {
    QString appFolder;            // program folder, always ending in "/"
    bool soundOn = true;
    bool freeTextMode = false;
    bool largeScreen = false;
    bool windows2000OrLater = true;  // translucent windows available
    bool coverWindowShown = false;
    int16_t backgroundTheme = 0;  // 0..10
    bool languageFileActive = false;
    QString languageName = QStringLiteral("Italian");
    QString layoutToRestore;      // keyboard layout to give back at exit; empty = none
    int16_t pendingDialog = 0;    // 1 user name, 2 results, 3 free-text report
    QString helpMissingText = QStringLiteral("Impossibile trovare il file della guida");
    ExerciseResults results;
};

// The one instance for the process.
AppState& appState();

}  // namespace tastolino
