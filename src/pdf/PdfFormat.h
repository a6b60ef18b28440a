// The small text transformations every PDF record goes through.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tastolino::pdf {

// A number as the file shows it: rounded to `decimals` places with halves to
// even, shortest form (no trailing zeros, no point for whole numbers), always
// "." as the separator and never "-0". Throws std::overflow_error for values
// that are not finite or too large to represent.
std::string formatNumber(double value, int decimals = 3);

// Appends formatNumber(value, 3) to out; the writer's hot path.
void appendNumber(std::string& out, double value);

// Escapes a literal string: "\" -> "\\", "(" -> "\(", ")" -> "\)".
std::string escapeString(std::string_view bytes);

// The ASCII85 encoding of PDF, "z" for whole zero groups, ending in "~>".
std::string ascii85Encode(const uint8_t* data, size_t size);
inline std::string ascii85Encode(const std::vector<uint8_t>& bytes) {
    return ascii85Encode(bytes.data(), bytes.size());
}

}  // namespace tastolino::pdf
