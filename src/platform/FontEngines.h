// The fonts Qt opened for the text painted and measured so far: each size
// of each face keeps its font file mapped, its shaping tables and its
// rendered glyphs. Most serve a moment only: the sizes tried while fitting
// a caption, the dialogs that have closed, the intro's lettering.
#pragma once

namespace tastolino {

// Closes every font the GUI thread has open. Widgets keep their fonts; the
// next paint or measurement of a text opens what it needs again and draws
// the same glyphs. Call it from the event loop, never in a paint.
void ReleaseFontEngines();

}  // namespace tastolino
