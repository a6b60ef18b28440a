// The quiet surroundings most window tests start from, set through the
// seams: waits pass at once, no sound, a screen of `screen` with Caps Lock
// off, and message boxes answered Ok, each one recorded into `asked` when
// given. A test replaces what it watches afterwards; seams::resetAll()
// undoes all of it.
#pragma once

#include "platform/Seams.h"

#include <QList>
#include <QSize>

namespace tastolino::testing {

void quietWindowSeams(QList<seams::MessageRequest>* asked = nullptr,
                      QSize screen = QSize(800, 600));

}  // namespace tastolino::testing
