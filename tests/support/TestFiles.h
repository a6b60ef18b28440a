// Files of the tests written and read in one call.
#pragma once

#include <QByteArray>
#include <QString>

namespace tastolino::testing {

// Writes `bytes` to `path`, making its folder first; a file that cannot be
// written fails the running test.
void writeFile(const QString& path, const QByteArray& bytes);

// The bytes of `path`; `missing` when it cannot be read.
QByteArray readFile(const QString& path, const QByteArray& missing = {});

}  // namespace tastolino::testing
