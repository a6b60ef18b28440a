// The undo list of the test hooks that live beside the code they replace
// (the keyboard layout backend, the printer set-up, the game's timers, the
// kept language file, the shared state…): each registers how it goes back
// to its start, and seams::resetAll() runs them all. Standard C++ only, so
// that every library can register.
#pragma once

#include <functional>

namespace tastolino::seams {

// Adds `reset` to what resetAll() runs. Returns true, so that a file can
// register while its statics are set up:
//   [[maybe_unused]] const bool registered = seams::registerReset([] { … });
bool registerReset(std::function<void()> reset);

// Runs every registered reset, in the order they were registered.
void runRegisteredResets();

}  // namespace tastolino::seams
