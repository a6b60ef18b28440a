// The state of the whole run: flags, the program folder, and the one
// record of the running or finished exercise. The main module owns it and
// hands the windows below it what they read; they give their answers back
// to it.
#pragma once

#include "platform/DialogKind.h"
#include "platform/ExerciseResults.h"
#include "platform/Sounds.h"

#include <QString>

#include <cstdint>

namespace tastolino {

struct AppState {
    QString appFolder;  // program folder, always ending in "/"
    bool soundOn = true;
    bool freeTextMode = false;
    bool largeScreen = false;
    bool windows2000OrLater = true;  // translucent windows available
    int16_t backgroundTheme = 0;     // 0..10
    DialogKind pendingDialog = DialogKind::None;
    ExerciseResults results;
};

// The one instance for the process.
AppState& appState();

// Plays `sound` when the sound option is on; true when it was played.
inline bool playSoundIfOn(Sound sound) {
    return playSoundIf(appState().soundOn, sound);
}

}  // namespace tastolino
