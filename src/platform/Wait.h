// The one wait that code holding on to a window uses. A wait dispatches
// window events, and one of those may close and delete the window (or
// another object) the waiting code works on; waitAlive says whether it
// still exists, so that no caller keeps its own guard for that.
#pragma once

class QObject;

namespace tastolino {

// Waits `ms` milliseconds while window events are dispatched, exactly as
// seams::waitWithEvents does (instant in tests: the fake clock moves on and
// pending events are dispatched once); 0 dispatches pending events once.
// Returns whether `owner` still exists afterwards; a null owner never does.
[[nodiscard]] bool waitAlive(QObject* owner, int ms);

}  // namespace tastolino
