// What the statistics window shows, read from the store: a user's progress
// per day and per sitting, the figures of each expected character, the
// fingers ranked by error rate and the weakest characters.
//
// Speed is keystrokes per minute as the results windows showed it,
// averaged over the sentences of a day or sitting; the error rate is wrong
// keystrokes over all judged keystrokes (0..1).
#pragma once

#include "stats/FingerMap.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

class QSqlQuery;

namespace tastolino {

class StatsStore;

enum class Period { Last7Days, Last30Days, AllDays };

// The first day a period takes in, counting today.
QDate firstDayOf(Period period, const QDate& today);

struct ProgressPoint {
    QDate day;           // the local day (per day), or the day the sitting began
    qint64 startMs = 0;  // per sitting: when it began (ms since 1970, UTC)
    int sentences = 0;
    int keystrokes = 0;
    int errors = 0;
    double speed = 0;  // keystrokes per minute
    double errorRate() const { return keystrokes > 0 ? double(errors) / keystrokes : 0; }
};

// A character needs this many judged keystrokes before its error rate is
// taken seriously: below it a single slip reads as 5 % or more. The weakest
// list leaves such characters out and the keyboard shows them grey.
inline constexpr int kMinKeystrokesForRate = 20;

struct CharacterStats {
    char32_t character = 0;
    int keystrokes = 0;  // right and wrong
    int errors = 0;
    // The characters typed instead, most frequent first (ties: by code).
    std::vector<std::pair<char32_t, int>> typedInstead;
    double errorRate() const { return keystrokes > 0 ? double(errors) / keystrokes : 0; }
    bool enoughData() const { return keystrokes >= kMinKeystrokesForRate; }
};

struct FingerStats {
    FingerId finger = FingerId::None;
    int keystrokes = 0;
    int errors = 0;
    double errorRate() const { return keystrokes > 0 ? double(errors) / keystrokes : 0; }
};

class StatsQueries {
  public:
    explicit StatsQueries(StatsStore& store) : store_(store) {}

    // The users with records, by name.
    QStringList users();

    std::vector<ProgressPoint> progressPerDay(const QString& user, Period period,
                                              const QDate& today);
    std::vector<ProgressPoint> progressPerSitting(const QString& user, Period period,
                                                  const QDate& today);

    // Every expected character of the period, by character.
    std::vector<CharacterStats> characters(const QString& user, Period period, const QDate& today);

  private:
    // Runs `sql` with the user's id and `since` bound; false when the user
    // has no records or the query fails.
    bool run(QSqlQuery& q, const QString& user, const QString& sql, qint64 since);

    StatsStore& store_;
};

// Fingers by error rate, worst first (ties: more errors first, then left to
// right); fingers without keystrokes are left out.
std::vector<FingerStats> fingersByErrorRate(const std::vector<CharacterStats>& characters,
                                            const FingerMap& fingers);

// The `count` weakest characters with at least `minKeystrokes`: highest
// error rate first, then more errors, then the character's code.
std::vector<CharacterStats> weakestCharacters(const std::vector<CharacterStats>& characters,
                                              int count = 10,
                                              int minKeystrokes = kMinKeystrokesForRate);

}  // namespace tastolino
