// The text of a profile (INI) file held in memory, as the raw Windows-1252
// bytes of the file: lookups and the edits that the profile functions make.
// All names and values passed here are Windows-1252 bytes too; the file
// functions in Profile.h convert from and to UTF-8.
//
// The rules are those of the Windows profile functions: sections and keys are
// matched ignoring case, the first matching section and, inside it, the first
// matching key win, blanks around names and values do not count, lines
// starting with ';' are comments, and a line without '=' is not a key.
// Every edit leaves all other lines of the file exactly as they were.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tastolino::profile {

// The value of `key` in `section`, with blanks around it and one pair of
// surrounding quotes (" or ') removed; nullopt when the section or the key
// is missing. A NUL byte ends the value.
std::optional<std::string> findValue(std::string_view text, std::string_view section,
                                     std::string_view key);

// Every key line of the first matching section, in file order, with its
// value cleaned as findValue cleans it. A key that appears twice is listed
// twice: a reader that keeps the entries keeps the first, as findValue does.
std::vector<std::pair<std::string, std::string>> sectionEntries(std::string_view text,
                                                                std::string_view section);

// Whether a name can be written without breaking the file's structure: not
// blank, no line breaks or NUL; a section name without ']'; a key without
// '=' and not starting with '[' or ';'.
bool isValidSectionName(std::string_view section);
bool isValidKeyName(std::string_view key);

// The text with `key` set to `value`: the existing line is replaced, or a new
// line is added after the last non-blank line of the section, or the section
// is appended at the end of the text. Line breaks in the value become blanks
// and a NUL ends it. The names must be valid (see above).
std::string withValue(std::string_view text, std::string_view section, std::string_view key,
                      std::string_view value);

// The text without the first matching key of the section, or without the
// whole section (its header and every line up to the next section); nullopt
// when there is nothing to remove.
std::optional<std::string> withoutKey(std::string_view text, std::string_view section,
                                      std::string_view key);
std::optional<std::string> withoutSection(std::string_view text, std::string_view section);

// Windows-1252 case folding of one byte, and name comparison with it.
unsigned char foldCase(unsigned char c);
bool sameName(std::string_view a, std::string_view b);

}  // namespace tastolino::profile
