// Windows-1252, the code page of every file the program reads or writes
// (settings, language, exercise and text files, and the bytes of a PDF).
// Inside the program text is Unicode; this codec is used at file boundaries.
#pragma once

#include <string>
#include <string_view>

namespace tastolino::cp1252 {

// The Unicode code point of a Windows-1252 byte. The five unassigned bytes
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same value,
// as Windows itself does, so that every byte string survives a round trip.
char32_t toUnicode(unsigned char byte);

// The Windows-1252 byte of a code point, or -1 when the code page lacks it.
int fromUnicode(char32_t codePoint);

// Decodes Windows-1252 bytes to UTF-8.
std::string toUtf8(std::string_view bytes);

// Encodes UTF-8 text to Windows-1252 bytes. A character the code page lacks,
// and every byte of a malformed UTF-8 sequence, becomes '?'.
std::string fromUtf8(std::string_view utf8);

// Appends the UTF-8 form of a code point.
void appendUtf8(std::string& out, char32_t codePoint);

// Reads one code point from UTF-8 at pos and advances pos; a malformed
// sequence yields U+FFFD and advances by one byte.
char32_t nextCodePoint(std::string_view utf8, size_t& pos);

}  // namespace tastolino::cp1252
