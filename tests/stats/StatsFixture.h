// A made-up but plausible learning history for benchmarks and screenshots:
// practice on most days, exercises of fifteen sentences in sittings, speed
// rising and errors falling over the weeks, with a few characters (umlauts,
// ß, y, x, q, some symbols) clearly weaker than the rest and typed as their
// neighbours on the keyboard. The same arguments give the same history.
#pragma once

#include <QDate>
#include <QString>

namespace tastolino {

class StatsStore;

struct HistoryPlan {
    QString user = QStringLiteral("Anna");
    QDate lastDay;  // the history ends on this day
    int days = 42;  // six weeks
    int sentences = 1500;
    unsigned seed = 7;
};

// Records the history into `store`; false when the store failed.
bool makeHistory(StatsStore& store, const HistoryPlan& plan);

// Two years of daily practice ending on `lastDay`, `sentences` in all, in a
// new database file (the benchmarks' history).
bool makeTwoYearHistory(const QString& path, int sentences, const QDate& lastDay);

}  // namespace tastolino
