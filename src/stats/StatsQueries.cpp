#include "stats/StatsQueries.h"

#include "stats/StatsStore.h"

#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <array>
#include <tuple>

namespace tastolino {
namespace {

qint64 firstJulianDay(Period period, const QDate& today) {
    return period == Period::AllDays ? std::numeric_limits<qint64>::min()
                                     : firstDayOf(period, today).toJulianDay();
}

// Start of a local day in ms since 1970, for comparing with sitting starts.
qint64 startOfDayMs(Period period, const QDate& today) {
    if (period == Period::AllDays) return std::numeric_limits<qint64>::min();
    return firstDayOf(period, today).startOfDay().toMSecsSinceEpoch();
}

ProgressPoint pointFrom(const QSqlQuery& q) {
    ProgressPoint p;
    p.sentences = q.value(1).toInt();
    p.keystrokes = q.value(2).toInt();
    p.errors = q.value(3).toInt();
    p.speed = q.value(4).toDouble();
    return p;
}

}  // namespace

QDate firstDayOf(Period period, const QDate& today) {
    switch (period) {
        case Period::Last7Days:
            return today.addDays(-6);
        case Period::Last30Days:
            return today.addDays(-29);
        case Period::AllDays:
            break;
    }
    return QDate::fromJulianDay(0);
}

QStringList StatsQueries::users() {
    QStringList names;
    if (!store_.open()) return names;
    QSqlQuery q(store_.database());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT name FROM users ORDER BY name"))) return names;
    while (q.next()) names << q.value(0).toString();
    return names;
}

std::vector<ProgressPoint> StatsQueries::progressPerDay(const QString& user, Period period,
                                                        const QDate& today) {
    std::vector<ProgressPoint> points;
    QSqlQuery q;
    if (!run(q, user,
             QStringLiteral("SELECT day, count(*), sum(keystrokes), sum(errors), avg(speed)"
                            " FROM sentences WHERE user_id = ? AND day >= ?"
                            " GROUP BY day ORDER BY day"),
             firstJulianDay(period, today)))
        return points;
    while (q.next()) {
        ProgressPoint p = pointFrom(q);
        p.day = QDate::fromJulianDay(q.value(0).toLongLong());
        points.push_back(p);
    }
    return points;
}

std::vector<ProgressPoint> StatsQueries::progressPerSitting(const QString& user, Period period,
                                                            const QDate& today) {
    std::vector<ProgressPoint> points;
    QSqlQuery q;
    // The day a sitting began, as the sentence that began it recorded it.
    if (!run(q, user,
             QStringLiteral("SELECT session, count(*), sum(keystrokes), sum(errors), avg(speed),"
                            " min(day) FROM sentences WHERE user_id = ? AND session >= ?"
                            " GROUP BY session ORDER BY session"),
             startOfDayMs(period, today)))
        return points;
    while (q.next()) {
        ProgressPoint p = pointFrom(q);
        p.startMs = q.value(0).toLongLong();
        p.day = QDate::fromJulianDay(q.value(5).toLongLong());
        points.push_back(p);
    }
    return points;
}

bool StatsQueries::run(QSqlQuery& q, const QString& user, const QString& sql, qint64 since) {
    const qint64 id = store_.userId(user);
    if (id < 0) return false;
    q = QSqlQuery(store_.database());
    q.setForwardOnly(true);
    if (!q.prepare(sql)) return false;
    q.addBindValue(id);
    q.addBindValue(since);
    return q.exec();
}

std::vector<CharacterStats> StatsQueries::characters(const QString& user, Period period,
                                                     const QDate& today) {
    std::vector<CharacterStats> chars;
    QSqlQuery q;
    if (!run(q, user,
             QStringLiteral("SELECT expected, typed, sum(count) FROM key_days"
                            " WHERE user_id = ? AND day >= ?"
                            " GROUP BY expected, typed ORDER BY expected, typed"),
             firstJulianDay(period, today)))
        return chars;
    while (q.next()) {
        const auto expected = char32_t(q.value(0).toLongLong());
        const auto typed = char32_t(q.value(1).toLongLong());
        const int count = q.value(2).toInt();
        if (chars.empty() || chars.back().character != expected)
            chars.push_back(CharacterStats{expected, 0, 0, {}});
        CharacterStats& c = chars.back();
        c.keystrokes += count;
        if (typed != expected) {
            c.errors += count;
            c.typedInstead.emplace_back(typed, count);
        }
    }
    for (CharacterStats& c : chars)
        std::stable_sort(c.typedInstead.begin(), c.typedInstead.end(),
                         [](const auto& a, const auto& b) { return a.second > b.second; });
    return chars;
}

std::vector<FingerStats> fingersByErrorRate(const std::vector<CharacterStats>& characters,
                                            const FingerMap& fingers) {
    std::array<FingerStats, kFingerIdCount> all{};
    for (int i = 0; i < kFingerIdCount; ++i) all[size_t(i)].finger = FingerId(i);
    for (const CharacterStats& c : characters) {
        const FingerId f = fingers.ofChar(c.character);
        if (f == FingerId::None) continue;
        all[size_t(f)].keystrokes += c.keystrokes;
        all[size_t(f)].errors += c.errors;
    }
    std::vector<FingerStats> ranked;
    for (const FingerStats& f : all)
        if (f.keystrokes > 0) ranked.push_back(f);
    std::stable_sort(ranked.begin(), ranked.end(), [](const FingerStats& a, const FingerStats& b) {
        // Compared as products, so equal rates are equal exactly.
        const qint64 l = qint64(a.errors) * b.keystrokes, r = qint64(b.errors) * a.keystrokes;
        return l != r ? l > r : a.errors > b.errors;
    });
    return ranked;
}

std::vector<CharacterStats> weakestCharacters(const std::vector<CharacterStats>& characters,
                                              int count, int minKeystrokes) {
    std::vector<CharacterStats> weak;
    for (const CharacterStats& c : characters)
        if (c.keystrokes >= minKeystrokes && c.errors > 0) weak.push_back(c);
    std::sort(weak.begin(), weak.end(), [](const CharacterStats& a, const CharacterStats& b) {
        const qint64 l = qint64(a.errors) * b.keystrokes, r = qint64(b.errors) * a.keystrokes;
        return std::tie(l, a.errors, b.character) > std::tie(r, b.errors, a.character);
    });
    if (int(weak.size()) > count) weak.resize(size_t(count));
    return weak;
}

}  // namespace tastolino
