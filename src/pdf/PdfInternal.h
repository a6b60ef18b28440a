// Helpers shared by the parts of clsPDFCreator; not for callers.
#pragma once

#include <string>

namespace tastolino::pdf::detail {

// Resource and font names go into the file as PDF names without escapes, so
// they must be printable ASCII without blanks, delimiters or "#".
void checkName(const std::string& name, const char* what);

inline void appendInt(std::string& out, long long v) {
    out += std::to_string(v);
}

}  // namespace tastolino::pdf::detail
