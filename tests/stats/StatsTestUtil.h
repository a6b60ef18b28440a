// Helpers of the statistics tests: a sentence record with plain figures,
// the figures of one character, a clock that stands still unless moved, and
// the rows of a query.
#pragma once

#include "stats/SentenceRecord.h"
#include "stats/StatsQueries.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QTimeZone>
#include <QVariant>

namespace stats_test {

using namespace tastolino;

// 8 December 2026, 10:00 at UTC+1: a fixed point for every test.
inline QDateTime baseTime() {
    return QDateTime(QDate(2026, 12, 8), QTime(10, 0), QTimeZone(3600));
}

inline SentenceRecord sentence(const QString& user, const QDateTime& time, int keystrokes = 40,
                               int errors = 2, double speed = 120) {
    SentenceRecord r;
    r.user = user;
    r.time = time;
    r.level = 1;
    r.characters = keystrokes - errors;
    r.milliseconds = 20000;
    r.keystrokes = keystrokes;
    r.errors = errors;
    r.speed = speed;
    r.score = 80;
    r.keys = {{U'a', U'a', keystrokes - errors}, {U'a', U's', errors}};
    return r;
}

// The figures of a character typed `right` times right and, for each pair
// in `wrong`, that many times as that character.
inline CharacterStats chars(char32_t c, int right,
                            std::vector<std::pair<char32_t, int>> wrong = {}) {
    CharacterStats s{c, right, 0, wrong};
    for (const auto& w : wrong) {
        s.keystrokes += w.second;
        s.errors += w.second;
    }
    return s;
}

// Every row of `sql`, fields joined by "|".
inline QStringList rows(const QSqlDatabase& db, const QString& sql) {
    QStringList out;
    QSqlQuery q(db);
    if (!q.exec(sql)) return {QStringLiteral("error")};
    while (q.next()) {
        QStringList fields;
        for (int i = 0; i < q.record().count(); ++i) fields << q.value(i).toString();
        out << fields.join(QLatin1Char('|'));
    }
    return out;
}

}  // namespace stats_test
