// What the statistics window is opened with, and how the program reaches
// the window: it lives in a module of its own (tastolino-statistics.so),
// loaded the first time it opens, so that the charts and the libraries
// behind them cost nothing to a learner who never looks at them.
#pragma once

#include "stats/StatsTexts.h"

#include <QDate>
#include <QString>

#include <functional>

class QWidget;

namespace tastolino {

class StatsStore;

struct StatsWindowSetup {
    QString user;
    QDate today;
    TextLookup lookup;
    bool ergonomic = false;      // the keyboard's finger division
    bool largeKeyboard = false;  // the keyboard's large-screen size
    // Makes the drill and returns the exercise file written, or an empty
    // string after telling the user why not; none = no drill button.
    std::function<QString(QWidget* parent)> makeDrill;
    // Asks for a file and exports (true: sessions, false: keys); none = no
    // export buttons.
    std::function<void(QWidget* parent, bool sessions)> exportCsv;
};

// The module's one entry: runs the window modally over `parent` and puts
// the drill exercise file it made, or nothing, into `drillFile`. Every
// other function the window calls is the program's own, exported by it.
inline constexpr char kStatisticsModuleFile[] = "tastolino-statistics.so";
inline constexpr char kStatisticsModuleEntry[] = "tastolino_run_statistics_window";
using StatisticsModuleEntry = void (*)(StatsStore* store, const StatsWindowSetup* setup,
                                       QWidget* parent, QString* drillFile);

}  // namespace tastolino
