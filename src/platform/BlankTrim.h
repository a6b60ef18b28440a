// Removing the blanks around a text: only the blank itself, not tabs or line
// breaks, as texts from lesson and language files have always been trimmed.
#pragma once

#include <QString>

namespace tastolino {

inline QString trimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' ')) ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' ')) --end;
    return text.mid(begin, end - begin);
}

}  // namespace tastolino
