// Texts of the program's desktop integration (where files are kept, files
// named on the command line), in the main window's language: identifiers
// 9001, 9002 and 9010 of the interface texts (settings/InterfaceTexts.h).
#pragma once

#include <QString>
#include <QStringList>

namespace tastolino {

// "9001": nothing the program writes can be kept; the folders follow, one
// a line.
QString cannotSaveText(const QStringList& folders);
// "9002": a file named on the command line is missing or unreadable; its
// path follows on the next line.
QString fileNotReadableText(const QString& path);
// "9010": the lock that keeps a second copy from running cannot be taken
// (the folder is not the user's alone, or something else lies in the lock
// file's place); the folder follows on the next line.
QString lockUnavailableText(const QString& folder);

}  // namespace tastolino
