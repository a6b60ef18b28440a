// Reader for the uncompressed, bottom-up BMP files the PDF writer embeds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tastolino::pdf {

struct BmpImage {
    // Rows bottom first, padding dropped: packed palette indices for 1, 4
    // and 8 bits; red, green, blue (or one gray byte) per pixel for 24 bits.
    std::vector<uint8_t> pixels;
    // Three bytes (red, green, blue) or one gray byte per palette entry,
    // always 2^bits entries; empty for 24 bits.
    std::vector<uint8_t> colors;
    int32_t width = 0;
    int32_t height = 0;
    uint8_t bitsPerPixel = 0;
};

// Gray level of a colour: 0.33 red + 0.59 green + 0.11 blue, halves to even,
// capped at 255 since the weights add up to 1.03.
uint8_t grayLevel(uint8_t red, uint8_t green, uint8_t blue);

// Decodes a BMP held in memory; colorSpace 0 keeps colour, anything else
// turns it to gray. Returns false, leaving `image` alone, when the data does
// not start with "BM". Throws std::runtime_error for a BMP it cannot take:
// depths other than 1, 4, 8 and 24, compression, top-down rows, truncated
// data or sizes that do not fit the file.
bool decodeBmp(const uint8_t* data, size_t size, int32_t colorSpace, BmpImage& image);

// Reads and decodes a file: false when it is missing or does not start with
// "BM"; throws std::runtime_error when it is there but cannot be read.
bool readBmpFile(const std::string& fileName, int32_t colorSpace, BmpImage& image);

}  // namespace tastolino::pdf
