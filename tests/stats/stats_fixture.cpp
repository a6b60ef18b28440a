// Makes a statistics database with a made-up history, for screenshots and
// for trying the export by hand:
//   stats_fixture DB [SENTENCES] [DAYS] [USER]
#include "StatsFixture.h"
#include "stats/StatsStore.h"

#include <QCoreApplication>

#include <cstdio>

using namespace tastolino;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: stats_fixture DB [SENTENCES] [DAYS] [USER]\n");
        return 2;
    }
    HistoryPlan plan;
    plan.lastDay = QDate::currentDate();
    if (args.size() > 2) plan.sentences = args[2].toInt();
    if (args.size() > 3) plan.days = args[3].toInt();
    if (args.size() > 4) plan.user = args[4];
    StatsStore store(args[1]);
    if (!makeHistory(store, plan)) {
        std::fprintf(stderr, "%s\n", qPrintable(store.takeNotice()));
        return 1;
    }
    return 0;
}
