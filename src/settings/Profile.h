// The profile functions: read, write and delete keys of INI files with the
// semantics of the Windows profile functions (see ProfileText.h), on UTF-8
// text, with the files themselves in Windows-1252.
//
// A missing file reads as empty, and so does anything but a regular file (a
// named pipe, a device, a folder: see SafeFile.h), which is never waited
// for nor replaced. Every change rewrites the file atomically (a temporary
// file in the same folder, flushed to disk, then put in the original's
// place), so a crash during a save never leaves a half-written file. A file
// that cannot be written (read-only file or folder, unreadable file, not a
// regular file) is left untouched and the function reports failure.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace tastolino::profile {

// The value of the key, or `def` when the file, the section or the key is
// missing. Like the Windows function with a buffer of `bufferSize`
// characters, at most bufferSize - 1 characters of the value come back.
std::string readString(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& def, size_t bufferSize);

// The whole file as its bytes, for a reader that keeps a file in memory;
// nullopt when it is missing or cannot be read.
std::optional<std::string> readFileBytes(const std::string& file);

// Sets the key, creating the file and the section when missing. False when
// the file cannot be written or a name is unusable (see ProfileText.h).
bool writeString(const std::string& file, const std::string& section, const std::string& key,
                 const std::string& value);

// Remove one key, or a whole section. Nothing to remove (or no file) is a
// success and leaves the file as it is.
bool deleteKey(const std::string& file, const std::string& section, const std::string& key);
bool deleteSection(const std::string& file, const std::string& section);

}  // namespace tastolino::profile
