// Which characters the exercises can ask for: those with a key on the
// on-screen keyboard. Characters are Windows-1252 codes (0..255).
#pragma once

#include <QChar>

namespace tastolino {

// Windows-1252 code of a character, or -1 when the code page lacks it.
int charCode(QChar ch);

// True when the code has an entry in the character-to-key map.
bool isTypeableCode(int code);

}  // namespace tastolino
