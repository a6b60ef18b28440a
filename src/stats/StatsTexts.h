// Every text of the learning statistics that a user can see: the language
// identifiers (9100 to 9199, a range no other part of the program uses)
// under which a language file may replace them; their Italian texts are in
// the program's list of interface texts (settings/InterfaceTexts.h). "%1",
// "%2" stand for what the caller fills in.
#pragma once

#include <QString>

#include <functional>

namespace tastolino {

enum class StatsText : int {
    // The database could not be used and was moved aside; %1 is the name it
    // was given. A new, empty database is started.
    DatabaseMovedAside = 9100,
    // Nothing can be recorded: %1 is the database file.
    DatabaseUnavailable = 9101,
    // Command line: how the export is called.
    ExportUsage = 9102,
    // Command line: no statistics recorded yet; %1 is the database file.
    ExportNoDatabase = 9103,
    // Command line: the database cannot be read; %1 is the database file.
    ExportDatabaseDamaged = 9104,
    // Command line: %1 cannot be written.
    ExportCannotWrite = 9105,
    // Command line: %1 rows written to %2.
    ExportDone = 9106,
    // Drill: too few keystrokes recorded yet to know the weak characters.
    DrillNotEnoughData = 9107,
    // Drill: the exercise file %1 cannot be written.
    DrillCannotWrite = 9108,
    // Drill: comment line at the top of the exercise file; %1 lists the
    // characters it practises.
    DrillFileComment = 9109,
};

// Looks a language identifier ("9100") up, as GetLangString does; empty (or
// no lookup at all) when the language has no text for it.
using TextLookup = std::function<QString(const QString& id)>;

// The language identifier of a text, four digits.
QString statsTextId(StatsText text);
// The text from `lookup` when it has one, else the Italian built-in text; a
// "\n" in either stands for a line break.
QString statsText(StatsText text, const TextLookup& lookup = {});

}  // namespace tastolino
