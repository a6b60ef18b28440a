// The program's sounds (resources :/sounds/<id>.wav) and the one way the
// windows play them: only while the sound option is on.
#pragma once

#include "platform/Seams.h"

namespace tastolino {

enum class Sound {
    WrongKey = 101,        // also the game's pause after a wrong key
    SentenceDone = 102,    // a sentence typed to its end
    NewBest = 103,         // also the game's celebration
    Start = 104,           // a sentence or a game step begins
    About = 105,           // the about window opens
    Results = 106,         // a results window opens
    RightKey = 107,        // also each letter of the intro title, a catch in the game
    FingerDivision = 109,  // the finger division is switched on the keyboard
    Welcome = 110,         // the learner is greeted
    Click = 111,           // a button, option or menu command
    NewGame = 112,         // the game is set up afresh
};

// Plays `sound` without waiting when `soundOn` (the sound option of the
// caller) is set; true when it was played.
inline bool playSoundIf(bool soundOn, Sound sound) {
    if (!soundOn) return false;
    seams::playSound(static_cast<int>(sound));
    return true;
}

}  // namespace tastolino
