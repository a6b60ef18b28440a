// Profile (INI) access for exercise files and the course bookmark, in the
// settings layer's semantics: sections and keys matched ignoring case,
// first match wins, values trimmed, Windows-1252 on disk.
#pragma once

#include <QString>

namespace tastolino {

// Value of `key` in `section` of `file`; empty when anything is missing.
QString profileRead(const QString& file, const QString& section, const QString& key);
// Writes a value, creating file and section as needed; false on failure.
bool profileWrite(const QString& file, const QString& section, const QString& key,
                  const QString& value);
// Removes a whole section; false on failure.
bool profileDeleteSection(const QString& file, const QString& section);

}  // namespace tastolino
