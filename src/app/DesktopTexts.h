// Texts of the program's desktop integration (where files are kept, files
// named on the command line), in the main window's language: identifiers
// 9001 and 9002 of the interface texts (settings/InterfaceTexts.h).
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

}  // namespace tastolino
