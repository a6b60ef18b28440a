// Opening the statistics window on a database of 100 000 recorded
// sentences (two years of daily practice): from the click to a window that
// is built, filled (charts, heat keyboard, tables) and painted once, on the
// default period and on all days (goal: median under 300 ms). Run it with
// QT_QPA_PLATFORM=offscreen or on a display.
//   bench_statswindow [SENTENCES]
#include "StatsFixture.h"
#include "keyboard/CharKeyMap.h"
#include "stats/StatsStore.h"
#include "statswindow/frmStatistiche.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tastolino;

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Opens the window as the program does: a store not yet open (the first
// use in a run opens and checks the file) or the program's open one.
double openWindow(const QString& path, StatsStore* open, const QDate& today, bool allDays) {
    QElapsedTimer t;
    t.start();
    StatsStore fresh(path);
    StatsStore& store = open ? *open : fresh;
    StatsWindowSetup setup;
    setup.user = QStringLiteral("Anna");
    setup.today = today;
    frmStatistiche window(store, setup);
    window.resize(statisticsWindowSize(QSize(1280, 1024)));
    if (allDays) window.setPeriod(Period::AllDays);
    window.grab();  // laid out and painted once
    return t.nsecsElapsed() / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int sentences = argc > 1 ? std::atoi(argv[1]) : 100000;
    BuildCharKeyMap();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("TastolinoStats.sqlite"));
    const QDate today(2026, 12, 8);
    if (!makeTwoYearHistory(path, sentences, today)) return 1;
    openWindow(path, nullptr, today, false);  // fonts, plugins, first layout
    StatsStore open(path);
    open.open();
    for (bool allDays : {false, true}) {
        std::vector<double> first, again;
        for (int i = 0; i < 11; ++i) {
            first.push_back(openWindow(path, nullptr, today, allDays));
            again.push_back(openWindow(path, &open, today, allDays));
        }
        std::printf(
            "%d sentences, %s: open the window %.1f ms median on the first use in a run,"
            " %.1f ms with the database open\n",
            sentences, allDays ? "all days" : "last 30 days", median(first), median(again));
    }
    return 0;
}
