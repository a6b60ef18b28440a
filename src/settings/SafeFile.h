// Reading files that lie where others may have put something else in their
// place: a named pipe, a socket, a device or a folder.
//
// Opening a named pipe for reading waits for a writer for ever, and opening
// a device can have effects of its own. So the kind is looked at before a
// file is opened, the file is opened without waiting, and the kind of what
// was opened is checked once more. Anything but a regular file reads as a
// missing file.
//
// Standard C++ and POSIX only: the profile layer and its fuzz targets use it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tastolino::files {

enum class ReadStatus {
    Ok,
    Missing,  // no such file, something other than a regular file, or a
              // path with a NUL in it
    Failed,   // a regular file that cannot be read
};

// A descriptor open for reading the regular file at `path` (a link to one is
// followed), or -1 with `status` saying why not. Never waits: a named pipe
// put there at any moment is seen and closed again.
int openRegularForReading(const std::string& path, ReadStatus& status);

struct FileBytes {
    ReadStatus status = ReadStatus::Failed;
    std::string bytes;
};

// The contents of the regular file at `path`, at most `limit` bytes.
FileBytes readRegularFile(const std::string& path, size_t limit = SIZE_MAX);

// Whether `path` is a regular file (a link to one is followed) that can be
// opened for reading.
bool isReadableRegularFile(const std::string& path);

}  // namespace tastolino::files
