// The tables of the statistics database and their upgrades. Every database
// carries its version in the table schema_version; a database of an older
// version is upgraded step by step when it is opened.
//
// Version 1: users, sentences, key_days.
// Version 2: sentences gain `session`, the start time of the sitting they
//            belong to, so that progress per sitting needs no scan.
#pragma once

#include <QSqlDatabase>
#include <QString>

namespace tastolino {

inline constexpr int kStatsSchemaVersion = 2;

// A new record starts a new sitting when the user's previous one is older
// than this (or the clock has gone back).
inline constexpr qint64 kSittingGapMs = 30 * 60 * 1000;

// Creates the tables of `version` (1 or the current one) in an empty
// database. Version 1 exists so that upgrades can be tested on it.
bool createStatsSchema(QSqlDatabase& db, int version);

// The version stored in the database: 0 for an empty database (no tables at
// all), -1 when it holds tables but no readable version (not ours).
int storedSchemaVersion(QSqlDatabase& db);

// Upgrades from `from` to the current version in one transaction.
bool upgradeStatsSchema(QSqlDatabase& db, int from);

}  // namespace tastolino
