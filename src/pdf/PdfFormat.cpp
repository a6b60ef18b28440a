#include "PdfFormat.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace tastolino::pdf {

namespace {

// Beyond this the scaled value no longer fits an int64 exactly.
constexpr double kMaxScaled = 9.0e15;

void appendScaled(std::string& out, long long scaled, long long unit, int decimals) {
    if (scaled < 0) out += '-';
    unsigned long long magnitude =
        scaled < 0 ? 0ULL - static_cast<unsigned long long>(scaled) : scaled;
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, magnitude / unit);
    out.append(buf, res.ptr);
    unsigned long long frac = magnitude % unit;
    if (frac == 0) return;
    // Fixed-width fraction, then trailing zeros dropped.
    char digits[20];
    for (int i = decimals - 1; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + frac % 10);
        frac /= 10;
    }
    int len = decimals;
    while (len > 0 && digits[len - 1] == '0') --len;
    out += '.';
    out.append(digits, len);
}

}  // namespace

void appendNumber(std::string& out, double value) {
    double scaled = value * 1000.0;
    if (!std::isfinite(scaled) || std::fabs(scaled) > kMaxScaled)
        throw std::overflow_error("PDF: number out of range");
    // nearbyint rounds halves to even in the default rounding mode.
    appendScaled(out, static_cast<long long>(std::nearbyint(scaled)), 1000, 3);
}

std::string formatNumber(double value, int decimals) {
    if (decimals < 0 || decimals > 15) throw std::invalid_argument("PDF: bad decimal count");
    long long unit = 1;
    for (int i = 0; i < decimals; ++i) unit *= 10;
    double scaled = value * static_cast<double>(unit);
    if (!std::isfinite(scaled) || std::fabs(scaled) > kMaxScaled)
        throw std::overflow_error("PDF: number out of range");
    std::string out;
    appendScaled(out, static_cast<long long>(std::nearbyint(scaled)), unit, decimals);
    return out;
}

std::string escapeString(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + 8);
    for (char c : bytes) {
        if (c == '\\' || c == '(' || c == ')') out += '\\';
        out += c;
    }
    return out;
}

std::string ascii85Encode(const uint8_t* data, size_t size) {
    std::string out;
    out.reserve(size / 4 * 5 + 7);
    size_t i = 0;
    for (; i + 4 <= size; i += 4) {
        uint32_t v = (uint32_t{data[i]} << 24) | (uint32_t{data[i + 1]} << 16) |
                     (uint32_t{data[i + 2]} << 8) | data[i + 3];
        if (v == 0) {
            out += 'z';
            continue;
        }
        char group[5];
        for (int j = 4; j >= 0; --j) {
            group[j] = static_cast<char>('!' + v % 85);
            v /= 85;
        }
        out.append(group, 5);
    }
    size_t rest = size - i;
    if (rest > 0) {
        uint32_t v = 0;
        for (size_t j = 0; j < 4; ++j) v = (v << 8) | (j < rest ? data[i + j] : 0);
        char group[5];
        for (int j = 4; j >= 0; --j) {
            group[j] = static_cast<char>('!' + v % 85);
            v /= 85;
        }
        out.append(group, rest + 1);
    }
    out += "~>";
    return out;
}

}  // namespace tastolino::pdf
