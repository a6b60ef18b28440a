// The statistics as CSV files for other programs: UTF-8 without a byte
// order mark, a header line first, fields quoted as RFC 4180 says (a field
// with a comma, a double quote, a line break or a blank at either end is
// put in double quotes, a double quote in it doubled), lines ending in
// CR LF.
//
// Sessions, one line per recorded sentence or free text, by user and time:
//   user,timestamp,source,level,characters,seconds,keystrokes,errors,speed,score
// timestamp: ISO 8601 local time with its offset from UTC; source: see
// sourceKindName(); seconds with up to three decimals; speed in keystrokes
// per minute as shown; score empty for a free text.
//
// Keys, one line per user, expected and typed character (typed equals
// expected for the right keystrokes), by user and character codes:
//   user,expected,typed,count
#pragma once

#include <QString>

#include <optional>

class QIODevice;

namespace tastolino {

class StatsStore;

// One field as it goes into a line.
QString csvField(const QString& value);

// Write every user's lines, or only `user`'s. The number of lines written
// after the header, or -1 when the database or the device failed.
int exportSessionsCsv(StatsStore& store, QIODevice& out,
                      const std::optional<QString>& user = std::nullopt);
int exportKeysCsv(StatsStore& store, QIODevice& out,
                  const std::optional<QString>& user = std::nullopt);

}  // namespace tastolino
