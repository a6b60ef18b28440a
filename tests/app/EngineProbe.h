// Sets up the exercise engine at a position no keystroke sequence of a
// short test reaches (a counter near its limit, a cursor mid-sentence).
#pragma once

#include "exercise/ExerciseEngine.h"

namespace tastolino {

struct EngineProbe {
    static void setCursor(ExerciseEngine& engine, int textPos) { engine.textPos_ = textPos; }
    static void setSentenceNumber(ExerciseEngine& engine, int number) {
        engine.sentenceNo_ = number;
    }
    static void setErrorsInSentence(ExerciseEngine& engine, int errors) {
        engine.sentenceErrors_ = errors;
    }
};

}  // namespace tastolino
