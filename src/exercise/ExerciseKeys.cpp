#include "exercise/ExerciseKeys.h"

#include "keyboard/CharKeyMap.h"
#include "text/Cp1252.h"

namespace tastolino {

int charCode(QChar ch) {
    return cp1252::fromUnicode(char32_t(ch.unicode()));
}

bool isTypeableCode(int code) {
    return code >= 0 && FindCharEntry(code) >= 0;
}

}  // namespace tastolino
