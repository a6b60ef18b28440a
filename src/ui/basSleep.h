// Pauses that keep the windows alive: they dispatch window events while
// they wait, so timers and input are served, and they sleep in the event
// loop instead of spinning the processor. Tests make them instant through
// seams::setInstantWaits.
#pragma once

namespace tastolino {

// The result of a wait whose time has run out.
inline constexpr int kWaitTimeout = 258;
// A time meaning "no limit": the wait lasts until the application quits.
inline constexpr int kWaitForever = -1;

// Waits `milliseconds` while dispatching events; returns kWaitTimeout.
// Other negative times have already run out.
int WaitWithEvents(int milliseconds);

// Waits until the clock's seconds have moved on by `seconds` whole seconds
// since the call (a boundary count, like a difference of seconds of two
// times). With pumpEvents, window events are dispatched meanwhile;
// otherwise the program simply sleeps.
void WaitSeconds(int seconds, bool pumpEvents);

}  // namespace tastolino
