#include "BmpReader.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tastolino::pdf {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;

uint32_t u32(const uint8_t* p) {
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}
uint16_t u16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

[[noreturn]] void refuse(const char* why) {
    throw std::runtime_error(std::string("BMP: ") + why);
}

}  // namespace

uint8_t grayLevel(uint8_t red, uint8_t green, uint8_t blue) {
    double v = std::nearbyint(0.33 * red + 0.59 * green + 0.11 * blue);
    return v > 255 ? 255 : static_cast<uint8_t>(v);
}

bool decodeBmp(const uint8_t* data, size_t size, int32_t colorSpace, BmpImage& image) {
    if (size < 2 || data[0] != 'B' || data[1] != 'M') return false;
    if (size < kFileHeaderSize + kInfoHeaderSize) refuse("truncated header");

    const uint8_t* info = data + kFileHeaderSize;
    const uint64_t pixelOffset = u32(data + 10);
    const uint32_t headerSize = u32(info);
    const int32_t width = static_cast<int32_t>(u32(info + 4));
    const int32_t height = static_cast<int32_t>(u32(info + 8));
    const uint16_t bits = u16(info + 14);
    const uint32_t compression = u32(info + 16);
    const uint32_t colorsUsed = u32(info + 32);

    if (headerSize < kInfoHeaderSize) refuse("unsupported header");
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24) refuse("unsupported bit depth");
    if (compression != 0) refuse("compressed data");
    if (height < 0) refuse("top-down rows");
    if (width <= 0 || height == 0) refuse("empty image");

    const bool gray = colorSpace != 0;
    BmpImage out;
    out.width = width;
    out.height = height;
    out.bitsPerPixel = static_cast<uint8_t>(bits);

    if (bits <= 8) {
        // A palette may list fewer entries than the depth allows; the rest
        // stay black so the colour table always has 2^bits entries.
        const uint32_t entries = 1u << bits;
        const uint32_t present = colorsUsed > 0 && colorsUsed < entries ? colorsUsed : entries;
        const uint64_t paletteStart = kFileHeaderSize + uint64_t{headerSize};
        if (paletteStart + uint64_t{present} * 4 > size) refuse("truncated palette");
        out.colors.assign(size_t{entries} * (gray ? 1 : 3), 0);
        for (uint32_t i = 0; i < present; ++i) {
            const uint8_t* e = data + paletteStart + size_t{i} * 4;
            if (gray) {
                out.colors[i] = grayLevel(e[2], e[1], e[0]);
            } else {
                out.colors[size_t{i} * 3] = e[2];
                out.colors[size_t{i} * 3 + 1] = e[1];
                out.colors[size_t{i} * 3 + 2] = e[0];
            }
        }
    }

    // All in 64 bits: width and height are below 2^31, so no product below
    // can wrap before it is compared with the file size.
    const uint64_t rowBytes = (uint64_t{static_cast<uint32_t>(width)} * bits + 7) / 8;
    const uint64_t rowSize = (rowBytes + 3) / 4 * 4;
    if (pixelOffset > size || rowSize > size) refuse("truncated pixel data");
    if (uint64_t{static_cast<uint32_t>(height)} > (size - pixelOffset) / rowSize)
        refuse("truncated pixel data");

    const uint64_t outRow =
        bits == 24 ? uint64_t{static_cast<uint32_t>(width)} * (gray ? 1 : 3) : rowBytes;
    out.pixels.resize(outRow * static_cast<uint32_t>(height));
    uint8_t* dst = out.pixels.data();
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* row = data + pixelOffset + rowSize * static_cast<uint32_t>(y);
        if (bits != 24) {
            std::copy(row, row + rowBytes, dst);
            dst += rowBytes;
            continue;
        }
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t* px = row + size_t(x) * 3;
            if (gray) {
                *dst++ = grayLevel(px[2], px[1], px[0]);
            } else {
                *dst++ = px[2];
                *dst++ = px[1];
                *dst++ = px[0];
            }
        }
    }
    image = std::move(out);
    return true;
}

bool readBmpFile(const std::string& fileName, int32_t colorSpace, BmpImage& image) {
    // A file that is not there holds no picture, like an empty one; one that
    // is there but cannot be read is an error for the caller.
    std::error_code ec;
    const auto status = std::filesystem::status(fileName, ec);
    if (status.type() == std::filesystem::file_type::not_found) return false;
    if (status.type() == std::filesystem::file_type::directory)
        throw std::runtime_error("BMP: cannot read " + fileName);
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw std::runtime_error("BMP: cannot open " + fileName);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    if (in.bad()) throw std::runtime_error("BMP: cannot read " + fileName);
    return decodeBmp(bytes.data(), bytes.size(), colorSpace, image);
}

}  // namespace tastolino::pdf
