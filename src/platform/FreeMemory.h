// Memory the program freed goes back to the system: the C library keeps
// freed blocks for later allocations, and a window's first paints free
// megabytes of scratch pictures that nothing allocates again while the
// program waits for the learner.
#pragma once

namespace tastolino {

void ReturnFreeMemory();

}  // namespace tastolino
