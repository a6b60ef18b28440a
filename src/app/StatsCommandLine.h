// The export of the learning statistics from the command line, without a
// display:
//   tastolino --export-sessions FILE.csv [--user NAME]
//   tastolino --export-keys FILE.csv [--user NAME]
// It runs before any window exists and ends the program. Exit codes: 0 the
// file is written, 2 the arguments are wrong, 3 there is no database or it
// cannot be read, 4 the file cannot be written. Messages go to stderr.
#pragma once

#include <QStringList>

namespace tastolino {

// Whether the arguments (argv[1..]) ask for an export.
bool isStatsExport(int argc, char** argv);

// Runs the export with its own core application and returns the exit code.
int runStatsExport(int argc, char** argv);

// The export for the arguments after the program name, with the database
// at `database`. Exposed for the tests.
int statsExport(const QStringList& arguments, const QString& database);

}  // namespace tastolino
