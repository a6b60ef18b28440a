// The key under which a user's own files and entries are kept: the section
// of the game records and of the course bookmark, and the name of the PDF
// reports. One function for all of them, so that every place that stores
// something for a user finds it again under the same key.
#pragma once

#include <QString>

namespace tastolino {

// The user name as a key: the name itself, trimmed, when it can be an INI
// section name and a file name as it is (which every ordinary name can).
// Each character that cannot - "]" (it ends a section name), "/" and "\"
// (folder separators), ":*?\"<>|" (refused by some file systems and
// viewers), control characters and characters the Windows-1252 files
// cannot hold - is written as "%" and two hexadecimal digits for each of
// its UTF-8 bytes, and so is "%" itself, so that two different names never
// share a key. Empty for an empty name.
QString userStorageKey(const QString& userName);

}  // namespace tastolino
