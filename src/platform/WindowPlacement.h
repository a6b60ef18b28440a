// Window placement that every window shares: the always-on-top band and the
// frame of a modal dialog.
#pragma once

class QWidget;

namespace tastolino {

// Puts the top-level window of `window` into (on) or out of the
// always-on-top band without moving or resizing it. A window that is
// already on screen keeps its native window: re-creating it would hide a
// dialog and end its modal run.
void SetTopMost(QWidget* window, bool on);

// Gives the top-level window the frame of a modal dialog: a title and a
// close box, no minimise or maximise buttons. Safe on a shown window too.
void SetDialogFrame(QWidget* window);

}  // namespace tastolino
