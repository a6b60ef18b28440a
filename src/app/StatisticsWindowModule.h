// The statistics window, reached through its module (see
// statswindow/StatsWindowSetup.h).
#pragma once

#include "statswindow/StatsWindowSetup.h"

#include <functional>

namespace tastolino {

using StatisticsWindowRunner =
    std::function<QString(StatsStore& store, const StatsWindowSetup& setup, QWidget* parent)>;

// The window of the module, loaded the first time from the program's own
// folder, else from the folder the package installs it in, and kept. None,
// with the reason in `problem`, when no module can be loaded.
StatisticsWindowRunner statisticsWindowRunner(QString* problem);

// A window linked into the program instead (the tests); none: the module.
void setStatisticsWindowRunner(StatisticsWindowRunner runner);

}  // namespace tastolino
