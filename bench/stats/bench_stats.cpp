// The cost of the learning statistics on a database of 100 000 recorded
// sentences (two years of daily practice):
//  - recording one finished sentence (it happens between two sentences;
//    goal: median under 1 ms);
//  - the queries the statistics window runs when it opens (goal: all of
//    them together under 300 ms median), with the database already open
//    and on the first use in a run, which opens and checks the file.
//   bench_stats [SENTENCES]
#include "StatsFixture.h"
#include "StatsTestUtil.h"
#include "keyboard/KeySet.h"
#include "stats/StatsQueries.h"
#include "stats/StatsStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimeZone>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tastolino;

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double percentile99(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, v.size() * 99 / 100)];
}

// Everything the window shows on opening: users, progress per day and per
// sitting, characters, fingers and the weakest characters.
void windowQueries(StatsStore& store, const QDate& today, Period period) {
    StatsQueries q(store);
    const QStringList users = q.users();
    const auto days = q.progressPerDay(QStringLiteral("Anna"), period, today);
    const auto sittings = q.progressPerSitting(QStringLiteral("Anna"), period, today);
    const auto chars = q.characters(QStringLiteral("Anna"), period, today);
    static const FingerMap fingers([](int key) { return FingerKind(int(fingerOf(key, false))); });
    const auto ranked = fingersByErrorRate(chars, fingers);
    const auto weak = weakestCharacters(chars);
    if (users.isEmpty() || days.empty() || sittings.empty() || ranked.empty() || weak.empty())
        std::printf("warning: a query came back empty\n");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int sentences = argc > 1 ? std::atoi(argv[1]) : 100000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("TastolinoStats.sqlite"));
    const QDate today(2026, 12, 8);
    QElapsedTimer t;
    t.start();
    if (!makeTwoYearHistory(path, sentences, today)) return 1;
    std::printf("history of %d sentences made in %.1f s\n", sentences, t.elapsed() / 1000.0);

    // Recording: a sentence of 45 characters with a few slips, as typed.
    StatsStore store(path);
    std::vector<double> record;
    QDateTime when(today, QTime(18, 0), QTimeZone(3600));
    for (int i = 0; i < 1000; ++i) {
        SentenceRecord r =
            stats_test::sentence(QStringLiteral("Anna"), when.addSecs(i * 20), 48, 3, 180);
        r.keys.clear();
        for (char32_t c : U"Der kleine Fuchs läuft über die große Wiese.")
            if (c) r.keys.push_back({c, c, 1});
        r.keys.push_back({U'ö', U'ä', 2});
        r.keys.push_back({U'ß', U'?', 1});
        QElapsedTimer one;
        one.start();
        if (!store.record(r)) return 1;
        record.push_back(one.nsecsElapsed() / 1e6);
    }
    std::printf("record one sentence: median %.3f ms, 99th percentile %.3f ms (%zu runs)\n",
                median(record), percentile99(record), record.size());

    for (Period period : {Period::AllDays, Period::Last30Days, Period::Last7Days}) {
        std::vector<double> times;
        for (int i = 0; i < 21; ++i) {
            QElapsedTimer one;
            one.start();
            windowQueries(store, today, period);
            times.push_back(one.nsecsElapsed() / 1e6);
        }
        std::printf("window queries, %s: median %.1f ms\n",
                    period == Period::AllDays      ? "all days"
                    : period == Period::Last30Days ? "30 days"
                                                   : "7 days",
                    median(times));
    }
    std::vector<double> first;
    for (int i = 0; i < 7; ++i) {
        QElapsedTimer one;
        one.start();
        StatsStore fresh(path);
        windowQueries(fresh, today, Period::AllDays);
        first.push_back(one.nsecsElapsed() / 1e6);
    }
    std::printf("first use in a run (open, quick check, all-days queries): median %.1f ms\n",
                median(first));
    return 0;
}
