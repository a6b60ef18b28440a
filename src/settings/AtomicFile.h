// Replacing a file atomically where others may have put something else in
// its place: a named pipe, a socket, a device, a folder or a link.
//
// The new contents go into a temporary file ".<name>.XXXXXX" in the same
// folder, flushed to disk, which then takes the place of the file in one
// step. Anything but a regular file (or a link entry) in that place is
// never replaced. While a writer fills its temporary file it holds a lock
// on it; a temporary file nobody holds is what a writer killed during a
// save left behind, and the next save in that folder removes it.
//
// Standard C++ and POSIX only: the profile layer and its fuzz targets use it.
#pragma once

#include <string>

namespace tastolino::files {

// Replaces the file at `path` by `bytes`, or creates it. A link owned by the
// user is followed, so that its target is replaced and the link stays; a
// link of anyone else is not. False, with nothing changed, when the file is
// anything but a regular file (a named pipe, a socket, a device, a folder),
// when it has no write permission, or when the new contents cannot be
// written; the file then keeps its old contents byte for byte.
bool replaceAtomically(const std::string& path, const std::string& bytes);

// Removes the temporary files that saves killed midway left in `folder`:
// those of `name` and of the program's other files (whose names all begin
// with "Tastolino"), when they are regular files of the user that no
// writer holds (where the file system has no locks: older than a minute).
// Nothing else is touched. Every save does this first in its folder.
void removeStaleTemporaries(const std::string& folder, const std::string& name);

// The name of the file whose temporary file `fileName` is (".<name>." and
// six letters or digits); empty when it is no such name.
std::string temporaryFileOf(const std::string& fileName);

}  // namespace tastolino::files
