// What the results window and the free-text report are given to show: the
// exercise record and the few options that change how they look.
#pragma once

#include "platform/ExerciseResults.h"

namespace tastolino {

struct ResultsWindowInput {
    ExerciseResults results;
    bool soundOn = true;
    bool languageFileActive = false;  // texts from the language file
    bool largeScreen = false;         // enlarged for a large screen
};

}  // namespace tastolino
