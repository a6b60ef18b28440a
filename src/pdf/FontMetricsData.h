// Advance widths of the built-in TrueType fonts, generated from the fonts'
// published metrics by tools/pdf/gen_font_metrics.py.
#pragma once

#include <array>
#include <cstdint>

namespace tastolino::pdf::metrics {

// Windows-1252 codes 32..255 (Arial) and 30..255 (Symbol), 1/1000 em.
extern const std::array<int16_t, 224> kArialRegular;
extern const std::array<int16_t, 224> kArialBold;
extern const std::array<int16_t, 226> kSymbol;

}  // namespace tastolino::pdf::metrics
